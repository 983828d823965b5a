// tumbo-cli render WORLD -o FILE.png|bmp|svg|emf [--2d]: the world as the window shows it,
// the 3D view (or with --2d the 2D view), without a display.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/offscreen_app.h"
#include "export/emf_device.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace {

const std::string kUsage = CommandUsage("render");

std::string LowerSuffix(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string s = name.substr(dot);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// Draws the shown view onto a paint device of its size; false when the device cannot
// be painted on (an SVG file that cannot be created).
bool PaintView(const TWeltQt& views, QPaintDevice& device) {
  QPainter p(&device);
  if (!p.isActive()) return false;
  if (views.Is2D())
    views.Paint2DTo(p);
  else
    p.drawImage(0, 0, views.View3D().Image());
  return true;
}

bool Write(const TWeltQt& views, const QString& fileName, const std::string& suffix) {
  const QSize size = views.ViewSize();
  if (suffix == ".emf") {
    EmfDevice emf(size);
    return PaintView(views, emf) && emf.SaveToFile(fileName);
  }
  if (suffix == ".svg") {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Robot Tumbo"));
    return PaintView(views, svg);
  }
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return PaintView(views, image) && image.save(fileName, suffix == ".png" ? "PNG" : "BMP");
}

}  // namespace

int cmdRender(const TCliArgs& args) {
  std::string worldFile, output;
  bool twoD = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" || args[i] == "--out") {
      if (i + 1 >= args.size()) return UsageError("Nach -o fehlt der Name der Ausgabedatei.", kUsage);
      output = args[++i];
    } else if (args[i] == "--2d") {
      twoD = true;
    } else if (args[i].starts_with("-") || !worldFile.empty()) {
      return UsageError("Unbekanntes Argument: " + tumbo::text::Utf8ToCp1252(args[i]), kUsage);
    } else {
      worldFile = args[i];
    }
  }
  if (worldFile.empty() || output.empty()) return UsageError("", kUsage);
  const std::string suffix = LowerSuffix(output);
  if (suffix != ".png" && suffix != ".bmp" && suffix != ".svg" && suffix != ".emf")
    return UsageError("Die Ausgabedatei muss auf .png, .bmp, .svg oder .emf enden.", kUsage);

  TWelt world;
  const TWorldFileResult read = world.LoadFromFile(worldFile);
  if (!read.Ok()) {
    if (!read.Message.empty())
      PrintError(read.Message);
    else
      PrintError("Die Datei \"" + tumbo::text::Utf8ToCp1252(worldFile) + "\" ist keine Weltdatei.");
    return kExitUsage;
  }

  const TOffscreenApp app;

  TWeltQt views(world);
  if (views.Pictures().BrickPicture.isNull() || views.Pictures().Robot[0].isNull())
    PrintError("Hinweis: Die Bilder in " +
               tumbo::text::Utf8ToCp1252(TWeltPictures::DefaultFolder().toStdString()) +
               " fehlen; die 3D-Ansicht zeigt nur den Raum.");
  if (twoD) views.SetIs2D(true);

  if (!Write(views, QString::fromLocal8Bit(output.c_str()), suffix)) {
    PrintError("Die Datei \"" + tumbo::text::Utf8ToCp1252(output) + "\" kann nicht geschrieben werden.");
    return kExitUsage;
  }
  return kExitOk;
}
