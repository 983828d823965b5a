// The shown world view (the 3D picture or the 2D map) as a picture file: drawn into memory in
// the asked format, then written through the safe writer.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class TWeltQt;

enum class TPictureFormat { Png, Bmp, Svg, Emf };

// The format a file name's extension names (".png", ".bmp", ".svg", ".emf", any case).
std::optional<TPictureFormat> PictureFormatOf(const QString& fileName);

// The bytes of the picture file: a bitmap of the view's size, or the view drawn as SVG or EMF;
// with a scale other than 1 the view drawn that many times as large.
QByteArray WorldPictureBytes(const TWeltQt& views, TPictureFormat format, double scale = 1.0);

// Writes the picture; false, with the German message in `error`, when it cannot be written.
bool SaveWorldPicture(const TWeltQt& views, const QString& fileName, TPictureFormat format,
                      QString* error = nullptr, double scale = 1.0);
