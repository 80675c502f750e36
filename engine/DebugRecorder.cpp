// The debug files of a tournament run (see DebugRecorder.h).
#include "engine/DebugRecorder.h"

#include "engine/GameDebugFile.h"
#include "engine/uTLogger.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QStringList>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

DebugRecorder::DebugRecorder(const QString& rootPath, bool debug) : m_debug(debug) {
    m_folder = platform::resolvePath(rootPath + QStringLiteral("Debug/"));
    m_lastPairing.fill(-1);
    if (m_debug)
        for (auto& slot : m_tables)
            for (auto& table : slot)
                table.resize(RundenProSpiel);
}

void DebugRecorder::prepareFolder() const {
    if (!platform::forceFolders(m_folder) || !platform::folderExists(m_folder))
        throw WendrakError(
            QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(shown(m_folder)));
    QStringList targets{QStringLiteral("Spiel_Gesamt.csv")};
    for (int r = 1; r <= AnzDurchlaeufe; ++r)
        targets << QStringLiteral("Runde_%1.csv").arg(r);
    if (platform::isReadOnly(m_folder))
        throw WendrakError(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden.")
                               .arg(shown(m_folder)));
    for (const QString& name : targets) {
        const QString path = m_folder + name;
        if (platform::folderExists(path) || platform::isReadOnly(path))
            throw WendrakError(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                                   .arg(shown(platform::resolvePath(path))));
    }
    if (!platform::canCreateFilesIn(m_folder))
        throw WendrakError(QStringLiteral("In den Ordner \"%1\" kann nicht geschrieben werden.")
                               .arg(shown(m_folder)));
}

void DebugRecorder::write() const {
    for (int r = 1; r <= AnzDurchlaeufe; ++r) {
        const int k = m_lastPairing[std::size_t(r)];
        if (k < 0)
            continue;
        const auto& table = m_tables[std::size_t(k & 1)][std::size_t(r)];
        SaveGameDebugFile(m_folder + QStringLiteral("Runde_%1.csv").arg(r), m_debug,
                          std::span<const ZugTyp>(table.data(), table.size()));
    }
    if (m_pairing < 0)
        return;
    TLogger logger;
    const auto setGame = [&logger, this](const GameResult& g) {
        logger.ClearValues();
        logger.SetValue(QStringLiteral("Spieler1"), m_datei1);
        logger.SetValue(QStringLiteral("Spieler2"), m_datei2);
        logger.SetValue(QStringLiteral("AnzKCounter"), QString::number(g.AnzK));
        logger.SetValue(QStringLiteral("anzKK"), QString::number(g.AnzKK));
        logger.SetValue(QStringLiteral("anzDD"), QString::number(g.AnzDD));
        logger.SetValue(QStringLiteral("anzDK"), QString::number(g.AnzDK));
        logger.SetValue(QStringLiteral("anzKD"), QString::number(g.AnzKD));
        logger.SetValue(QStringLiteral("AnzNKK"), QString::number(g.AnzNKK));
        logger.SetValue(QStringLiteral("intSozEffQualTmp"), QString::number(g.AnzKK2));
    };
    for (int i = 0; i < m_rowCount; ++i) {
        const GameRow& row = m_rows[std::size_t(i)];
        setGame(row.game);
        logger.SetValue(QStringLiteral("intAnzNKK"), QString::number(row.intAnzNKK));
        logger.SetValue(QStringLiteral("AnzK"), QString::number(row.AnzK));
        logger.WriteRow();
    }
    if (m_gamePending) // a game played but not yet logged: its nine values are set
        setGame(GameResult{});
    if (m_cancelled)
        logger.AddLine(QStringLiteral("Abbruch durch Benutzer"));
    logger.SaveToFile(m_folder + QStringLiteral("Spiel_Gesamt.csv"));
}
