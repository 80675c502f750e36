#include "platform/Pictures.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <sys/stat.h>

namespace platform {
namespace {

bool statResolved(const QString& path, struct stat& info) {
    return ::stat(nativePath(resolvePath(path)).constData(), &info) == 0;
}

WendrakError tooLarge(const QString& path) {
    return WendrakError(
        QStringLiteral("Das Bild \"%1\" ist größer als 50 MB und kann nicht geladen werden.")
            .arg(QDir::toNativeSeparators(path)));
}

} // namespace

QByteArray readPictureFile(const QString& path) {
    struct stat info {};
    if (statResolved(path, info) && S_ISREG(info.st_mode) && info.st_size > MaxPictureSize)
        throw tooLarge(path);
    // The reader opens without blocking and takes regular files only.
    QByteArray bytes = readFileBytes(path);
    if (bytes.size() > MaxPictureSize) // grown since it was looked at
        throw tooLarge(path);
    return bytes;
}

bool isSameFile(const QString& a, const QString& b) {
    struct stat first {
    }, second{};
    return statResolved(a, first) && statResolved(b, second) && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace platform
