// tumbo-imggen: draws the world's pictures and writes them as 24-bit bitmaps whose
// top-left pixel carries the transparent colour.
//   tumbo-imggen [FOLDER]     (default: the current folder)
#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include "export/safe_output.h"
#include "world/qt/oblique_drawing.h"
#include "world/qt/picture_shapes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  const QColor key(255, 0, 255);

  struct Out {
    const char* name;
    QImage image;
  };
  const Out outs[] = {
      {"ziegel.bmp", BrickPicture()},    {"quader.bmp", CuboidPicture()},
      {"marke.bmp", MarkPicture()},      {"robot0.bmp", RobotPicture(0)},
      {"robot1.bmp", RobotPicture(1)},   {"robot2.bmp", RobotPicture(2)},
      {"robot3.bmp", RobotPicture(3)},
  };
  QTextStream err(stderr);
  for (const Out& o : outs) {
    const QImage flat = Flatten(o.image, key);
    if (flat.pixelColor(0, 0) != key) {
      err << o.name << ": the top-left pixel is not transparent\n";
      return 1;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    flat.save(&buffer, "BMP");
    QString error;
    if (!tumbo::output::WriteBytes(dir.filePath(QString::fromLatin1(o.name)), bytes, &error)) {
      err << error << "\n";
      return 1;
    }
  }
  return 0;
}
