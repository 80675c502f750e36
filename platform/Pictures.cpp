#include "platform/Pictures.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <sys/stat.h>

namespace platform {

QByteArray readPictureFile(const QString& path) {
    struct stat info {};
    if (::stat(nativePath(resolvePath(path)).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_size > MaxPictureSize)
        throw WendrakError(
            QStringLiteral("Das Bild \"%1\" ist größer als 50 MB und kann nicht geladen werden.")
                .arg(QDir::toNativeSeparators(path)));
    // The reader opens without blocking and takes regular files only.
    return readFileBytes(path);
}

} // namespace platform
