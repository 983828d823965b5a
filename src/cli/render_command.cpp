// tumbo-cli render WORLD -o FILE.png|bmp|svg|emf [--2d] [--scale F] [--contrast]: the world
// as the window shows it, the 3D view (or with --2d the 2D view), without a display; with
// --scale drawn F times as large, as the window draws it at that view scale; with
// --contrast in the window's high-contrast colours.
#include <QFile>
#include <QString>
#include <algorithm>
#include <charconv>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/offscreen_app.h"
#include "cli/output_files.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_picture.h"
#include "world/welt.h"

namespace {

const std::string kUsage = CommandUsage("render");

// The view scales the window offers reach from a tenth to four times; a render may go a
// little further, within a picture size any program can open.
constexpr double kMinScale = 0.1, kMaxScale = 8.0;

// A factor such as "2", "1.5" or "1,5" (also "150%"), within the limits.
bool ParseScale(std::string text, double& scale) {
  bool percent = false;
  if (!text.empty() && text.back() == '%') {
    percent = true;
    text.pop_back();
  }
  std::replace(text.begin(), text.end(), ',', '.');
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
      std::count(text.begin(), text.end(), '.') > 1 || text == ".")
    return false;
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (percent) value /= 100.0;
  if (!(value >= kMinScale && value <= kMaxScale)) return false;
  scale = value;
  return true;
}

}  // namespace

int cmdRender(const TCliArgs& args) {
  std::string worldFile, output;
  bool twoD = false, contrast = false;
  double scale = 1.0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" || args[i] == "--out") {
      if (i + 1 >= args.size()) return UsageError("Nach -o fehlt der Name der Ausgabedatei.", kUsage);
      output = args[++i];
    } else if (args[i] == "--2d") {
      twoD = true;
    } else if (args[i] == "--contrast") {
      contrast = true;
    } else if (args[i] == "--scale") {
      if (i + 1 >= args.size()) return UsageError("Nach --scale fehlt der Faktor.", kUsage);
      if (!ParseScale(args[++i], scale))
        return UsageError("Der Faktor nach --scale muss eine Zahl zwischen 0,1 und 8 sein, nicht \"" +
                              tumbo::text::Utf8ToCp1252(args[i]) + "\".",
                          kUsage);
    } else if (args[i].starts_with("-") || !worldFile.empty()) {
      return UsageError("Unbekanntes Argument: " + tumbo::text::Utf8ToCp1252(args[i]), kUsage);
    } else {
      worldFile = args[i];
    }
  }
  if (worldFile.empty() || output.empty()) return UsageError("", kUsage);
  const QString outputName = QFile::decodeName(output.c_str());
  const std::optional<TPictureFormat> format = PictureFormatOf(outputName);
  if (!format)
    return UsageError("Die Ausgabedatei muss auf .png, .bmp, .svg oder .emf enden.", kUsage);
  if (RefuseOutputClash({worldFile}, {output})) return kExitUsage;

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
  if (contrast) views.SetColors(TWorldColors::HighContrast());
  if (twoD) views.SetIs2D(true);

  QString error;
  if (!SaveWorldPicture(views, outputName, *format, &error, scale)) {
    PrintError(tumbo::text::Utf8ToCp1252(error.toStdString()));
    return kExitUsage;
  }
  return kExitOk;
}
