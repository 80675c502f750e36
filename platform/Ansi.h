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

// True when toAnsi() keeps every character of the text, none turns into "?".
bool fitsAnsi(const QString& text);
// Refuses text for a record or text file that Windows-1252 cannot hold, naming the field:
// throws WendrakError with AnsiFieldMessage(field).
void CheckAnsiField(const QString& field, const QString& text);
// "Das Feld „<field>“ enthält Zeichen, die nicht gespeichert werden können. Erlaubt sind
// nur Zeichen des Windows-Zeichensatzes (Windows-1252)."
QString AnsiFieldMessage(const QString& field);

// Upper case limited to what Windows-1252 can hold, on decoded characters, so that
// listing order and case-insensitive matching agree with the stored bytes.
QString ansiUpper(const QString& text);

} // namespace platform
