// The CSV row logger of the debug files.
#include "engine/uTLogger.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QRegularExpression>

TLogger::TLogger() : FLines{QStringLiteral("HEADER")} {}

void TLogger::AddLine(const QString& text) {
    FLines.append(text);
}

int TLogger::ColumnIndex(const QString& key) {
    const QString upper = key.toUpper();
    for (qsizetype i = 0; i < FColumns.size(); ++i)
        if (FColumns[i].Key.toUpper() == upper)
            return int(i);
    FColumns.append(RValue{key, QString()});
    FHeader += key + QLatin1Char(',');
    return int(FColumns.size() - 1);
}

void TLogger::SetValue(const QString& key, const QString& value) {
    const int i = ColumnIndex(key);
    FColumns[i].Value = value;
}

void TLogger::WriteRow() {
    QString line;
    for (const RValue& column : FColumns)
        line += column.Value + QLatin1Char(',');
    FColumns.clear();
    FLines.append(line);
}

void TLogger::ClearValues() {
    for (RValue& column : FColumns)
        column.Value.clear();
    FHeader.clear();
}

void TLogger::SaveToFile(const QString& path) {
    const QString file = platform::toSlashes(path);
    const QString folder = platform::extractFilePath(file);

    QString text;
    for (const QString& line : FLines)
        text += line + QStringLiteral("\r\n");
    text.replace(QStringLiteral("HEADER"), FHeader, Qt::CaseInsensitive);

    // The replaced text becomes the lines, so a later save keeps this header line.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    lines.removeLast(); // the text ends with a line break
    FLines = lines;

    QByteArray bytes;
    for (const QString& line : FLines)
        bytes += platform::toAnsi(line) + "\r\n";
    // The engine saves the same short debug file after every game; leaving an unchanged
    // file alone spares the file system a replace per game.
    if (platform::holdsBytes(file, bytes))
        return;
    if (!folder.isEmpty() && !platform::folderExists(folder) && !platform::forceFolders(folder))
        throw WendrakError(
            QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(folder));
    platform::writeFileBytes(platform::pathForCreate(file), bytes);
}
