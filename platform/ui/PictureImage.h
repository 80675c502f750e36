// Decoding the pictures the windows show: BMP and JPEG only, and only what decodes whole.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// The picture the bytes hold when they decode whole as BMP or JPEG; a null image otherwise.
QImage decodePicture(const QByteArray& bytes);
// The picture file at path decoded as above; a null image when it is missing, no regular
// file, larger than MaxPictureSize or no whole BMP or JPEG.
QImage loadPicture(const QString& path);

} // namespace platform
