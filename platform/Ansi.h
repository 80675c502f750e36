// The program's one text codec: Windows-1252. Records and text files hold it; every byte
// decodes (the five bytes Windows-1252 leaves undefined map to U+0081 etc. and back), and
// a character that cannot be encoded becomes "?".
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

QString fromAnsi(const char* data, qsizetype size);
QString fromAnsi(const QByteArray& bytes);
QByteArray toAnsi(const QString& text);

// Upper case limited to what Windows-1252 can hold, on decoded characters, so that
// listing order and case-insensitive matching agree with the stored bytes.
QString ansiUpper(const QString& text);

} // namespace platform
