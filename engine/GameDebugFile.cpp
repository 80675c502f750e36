// The per-game debug file (see GameDebugFile.h).
#include "engine/GameDebugFile.h"

#include "engine/uTLogger.h"
#include "platform/Paths.h"

namespace {

QChar moveLetter(std::int32_t move) {
    if (move == MoveK)
        return QLatin1Char('K');
    if (move == MoveD)
        return QLatin1Char('D');
    return QLatin1Char('X');
}

QChar standingLetter(std::int32_t standing) {
    if (standing < 0)
        return QLatin1Char('M');
    if (standing > 0)
        return QLatin1Char('P');
    return QLatin1Char('N');
}

} // namespace

void LogRound(int number, const ZugTyp& round, TLogger& logger) {
    QString letters;
    letters.reserve(3);
    letters += standingLetter(round.Stand);
    letters += moveLetter(round.Zug1);
    letters += moveLetter(round.Zug2);
    logger.SetValue(QStringLiteral("zugnr"), QString::number(number));
    logger.SetValue(QStringLiteral("Erg."), letters);
    logger.SetValue(QStringLiteral("M1"), QString::number(round.Punkte1));
    logger.SetValue(QStringLiteral("M2"), QString::number(round.Punkte2));
    logger.WriteRow();
}

QString GameDebugFilePath(const QString& rootPath, int gameNumber) {
    return platform::withTrailingSlash(rootPath) + QStringLiteral("Debug/Runde_") +
           QString::number(gameNumber) + QStringLiteral(".csv");
}

void SaveGameDebugFile(const QString& path, bool debug, std::span<const ZugTyp> rounds) {
    TLogger logger;
    if (debug) {
        // Clearing before each row keeps the header to one row's four keys.
        for (size_t i = 0; i < rounds.size(); ++i) {
            logger.ClearValues();
            LogRound(static_cast<int>(i + 1), rounds[i], logger);
        }
    } else {
        logger.ColumnIndex(QStringLiteral("glbKons1"));
        logger.ColumnIndex(QStringLiteral("glbKons2"));
    }
    logger.SaveToFile(path);
}
