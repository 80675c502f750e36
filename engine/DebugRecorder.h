// The debug files of a tournament run: "Runde_1.csv" to "Runde_9.csv" (one per game number)
// and "Spiel_Gesamt.csv" (the last pairing's games) below the root's "Debug/" folder. Play
// records what they must hold, and they are written once when play ends (normally, by
// cancel or by an error) with the content they would have had if written after every game.
#pragma once

#include "engine/TournamentState.h"
#include "engine/WendrakCalc.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The game values one row of "Spiel_Gesamt.csv" names.
struct GameRow {
    GameResult game;
    std::int64_t intAnzNKK = 0;
    std::int64_t AnzK = 0;
};

// What the debug files must hold when play ends: the last pairing's rows and, per game
// number, which pairing played that game last (its round table when debug is on).
class DebugRecorder {
public:
    DebugRecorder(const QString& rootPath, bool debug);

    // The folder exists and takes our files; checked before the first game so that a
    // failure stops the run before play. Throws WendrakError naming the folder or file.
    void prepareFolder() const;

    void beginPairing(int pairing, const QString& datei1, const QString& datei2) {
        m_pairing = pairing;
        m_datei1 = datei1;
        m_datei2 = datei2;
        m_rowCount = 0;
        m_gamePending = false;
    }
    // Game r of the current pairing was played (its Runde file now holds its rounds).
    void gamePlayed(int run, std::span<const ZugTyp> rounds) {
        m_lastPairing[std::size_t(run)] = m_pairing;
        if (m_debug) {
            // Two slots: a game number's last game is of this pairing or the one before.
            auto& table = m_tables[std::size_t(m_pairing & 1)][std::size_t(run)];
            std::copy(rounds.begin(), rounds.end(), table.begin());
        }
        m_gamePending = true; // the game's values are set, the totals not yet
    }
    void rowWritten(const GameRow& row) {
        m_rows[std::size_t(m_rowCount++)] = row;
        m_gamePending = false;
    }
    void cancelled() { m_cancelled = true; }

    // Writes "Runde_1.csv" to "Runde_9.csv" (those that this run played) and
    // "Spiel_Gesamt.csv" as they would stand had they been written after every game.
    void write() const;

private:
    bool m_debug;
    QString m_folder;
    std::array<int, AnzDurchlaeufe + 1> m_lastPairing{};
    std::array<std::array<std::vector<ZugTyp>, AnzDurchlaeufe + 1>, 2> m_tables;
    int m_pairing = -1;
    QString m_datei1, m_datei2;
    std::array<GameRow, AnzDurchlaeufe> m_rows{};
    int m_rowCount = 0;
    bool m_gamePending = false;
    bool m_cancelled = false;
};
