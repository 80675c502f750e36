// Picture files as the program reads them: regular files only, opened without blocking, and
// none larger than the program takes.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The largest picture file the program reads or copies: 50 MB.
constexpr qint64 MaxPictureSize = 50LL * 1024 * 1024;

// Reads a picture file whole (case-insensitive lookup). Throws WendrakError naming the file
// when it is missing, unreadable, not a regular file (a named pipe or a device is never
// read) or larger than MaxPictureSize (then nothing of it is read).
QByteArray readPictureFile(const QString& path);

} // namespace platform
