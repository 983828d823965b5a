// The pictures of the 3D view: brick, mark, cuboid and the robot's four figures (index =
// heading). Each is loaded from a bitmap whose top-left pixel names the transparent
// colour; that colour becomes alpha once, at load time.
#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <memory>

// The seven pictures drawn for one device scale.
struct TScaledPictures {
  double Factor = 1.0;
  QImage BrickPicture, MarkPicture, CuboidPicture;
  std::array<QImage, 4> Robot;
};

struct TWeltPictures {
  QImage BrickPicture;
  QImage MarkPicture;
  QImage CuboidPicture;
  std::array<QImage, 4> Robot;  // 0 south, 1 west, 2 north, 3 east

  // Loads "ziegel.bmp", "marke.bmp", "quader.bmp" and "robot0.bmp" .. "robot3.bmp" from
  // `folder`. A missing or unreadable file leaves an empty picture (nothing is drawn
  // for it); the result says whether all seven were read.
  bool LoadFrom(const QString& folder);
  // Only the robot's four figures ("robot0.bmp" .. "robot3.bmp"); false, and nothing
  // changed, unless all four are readable.
  bool LoadRobotFrom(const QString& folder);

  // The pictures for a device scale (view scale times the screen's pixel ratio). At 1
  // the loaded bitmaps themselves; otherwise a picture that is the shipped drawing is
  // drawn anew at that size (sharp), any other bitmap is scaled smoothly. Kept until
  // the scale or the pictures change.
  const TScaledPictures& ScaledFor(double factor) const;

  // A bitmap with the colour of its top-left pixel made transparent.
  static QImage LoadKeyed(const QString& fileName);
  // Turns every pixel of the top-left pixel's colour into full transparency.
  static QImage Keyed(const QImage& image);
  // The "imgs" folder beside the executable, or of an installation
  // (<prefix>/share/tumbo/imgs); the first that exists.
  static QString DefaultFolder();

private:
  mutable std::shared_ptr<TScaledPictures> scaled_;
};
