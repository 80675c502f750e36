#include "platform/ui/PictureImage.h"

#include "platform/Pictures.h"
#include "platform/WendrakError.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

QImage decodePicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "jpeg")
        return QImage();
    return reader.read();
}

QImage loadPicture(const QString& path) {
    if (path.isEmpty())
        return QImage();
    try {
        return decodePicture(readPictureFile(path));
    } catch (const WendrakError&) {
        return QImage(); // a missing or unreadable picture only hides the picture
    }
}

} // namespace platform
