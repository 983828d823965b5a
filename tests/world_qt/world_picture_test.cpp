// Saving the shown world view as a picture file: the format by the name, the picture's
// bytes, and the old file kept when the write fails.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>

#include "support/write_faults.h"
#include "world/qt/world_picture.h"
#include "world_qt_support.h"

namespace {

TEST(WorldPicture, FormatFollowsTheExtensionInAnyCase) {
  const struct {
    const char* Name;
    std::optional<TPictureFormat> Format;
  } cases[] = {
      {"welt.png", TPictureFormat::Png}, {"WELT.BMP", TPictureFormat::Bmp}, {"a/b.c/welt.Svg", TPictureFormat::Svg},
      {"welt.emf", TPictureFormat::Emf}, {"welt.jpg", std::nullopt},         {"welt", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureFormatOf(QString::fromUtf8(c.Name)), c.Format) << c.Name;
}

TEST(WorldPicture, BitmapsShowTheViewAndDrawingsStartWithTheirMagic) {
  TWelt welt;
  welt.Room.AddItem(1, 1, kZiegel);
  TWeltQt views(welt, ImgsFolder());
  for (const bool is2D : {false, true}) {
    SCOPED_TRACE(is2D ? "2D" : "3D");
    views.SetIs2D(is2D);
    for (TPictureFormat format : {TPictureFormat::Png, TPictureFormat::Bmp}) {
      const QImage image = QImage::fromData(WorldPictureBytes(views, format));
      EXPECT_EQ(image.size(), views.ViewSize());
      if (!is2D) {
        EXPECT_EQ(DifferingPixels(image, views.View3D().Image()), 0);
      }
    }
    EXPECT_TRUE(WorldPictureBytes(views, TPictureFormat::Svg).contains("<svg"));
    EXPECT_EQ(WorldPictureBytes(views, TPictureFormat::Emf).mid(40, 4), QByteArray(" EMF"));
  }
}

TEST(WorldPicture, EveryFormatKeepsTheOldFileWhenTheWriteFails) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  QTemporaryDir dir;
  const std::pair<const char*, TPictureFormat> formats[] = {{"welt.png", TPictureFormat::Png},
                                                            {"welt.bmp", TPictureFormat::Bmp},
                                                            {"welt.svg", TPictureFormat::Svg},
                                                            {"welt.emf", TPictureFormat::Emf}};
  for (const auto& [name, format] : formats) {
    SCOPED_TRACE(name);
    const std::filesystem::path folder = std::filesystem::path(dir.path().toStdString()) / (std::string(name) + ".d");
    std::filesystem::create_directory(folder);
    tumbo::testing::ExpectEveryFaultKeepsTheOldFile(
        folder, name, [&, format = format](const std::string& path, std::string& error) {
          QString message;
          const bool ok = SaveWorldPicture(views, QString::fromStdString(path), format, &message);
          error = message.toStdString();
          return ok;
        });
  }
}

}  // namespace
