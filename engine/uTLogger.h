// Builds comma-separated text files row by row from key/value pairs: set values by column
// name, write the row, and finally save the lines with a header line made of the column
// names. Values are written as given, without quoting.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

struct RValue {
    QString Key;
    QString Value;
};

class TLogger {
public:
    TLogger();

    void AddLine(const QString& text);
    // Index of the column named key (letter case ignored); a missing column is appended
    // with an empty value and its key added to the header text.
    int ColumnIndex(const QString& key);
    void SetValue(const QString& key, const QString& value);
    // Appends one line of every column's value, each followed by ","; then removes the
    // columns. The header text stays.
    void WriteRow();
    // Empties every value and the header text; the columns stay.
    void ClearValues();
    // Creates the folder, replaces the "HEADER" placeholder (any case) in the lines by the
    // header text and writes the lines (Windows-1252, CR LF), replacing the file; a file
    // that already holds exactly these bytes is left as it is. Throws WendrakError naming
    // the file or folder on failure.
    void SaveToFile(const QString& path);

    const QString& HeaderText() const { return FHeader; }
    const QStringList& Lines() const { return FLines; }

private:
    QString FHeader;
    QVector<RValue> FColumns;
    QStringList FLines;
};
