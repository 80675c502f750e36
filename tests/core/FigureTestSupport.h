// Shared by the tournament, ranking and figures tests: a display that records what the
// run hands it, builders for player records, and a run on a temporary installation.
#pragma once

#include "engine/Ranking.h"
#include "engine/ResultDisplay.h"
#include "engine/StyledLine.h"
#include "engine/Tournament.h"
#include "players/PlayerFile.h"

#include "TempRoot.h"
#include "engine_fixtures.h"

#include <QMap>
#include <initializer_list>
#include <utility>

class RecordingDisplay : public ResultDisplay {
public:
    int anzDurchlaeufe = -1, anzTeilnehmerHigh = -1;
    QMap<QString, QString> lines; // placeholder -> last styled line
    QStringList rows;             // "platz|name|punkte|spielertyp|showBar|opponents"
    QStringList playerList, participants;
    QList<ResultPairing> pairings;

    void SetCounts(int runs, int high) override { anzDurchlaeufe = runs, anzTeilnehmerHigh = high; }
    void ShowStyledLine(const QString& placeholder, const QString& lineText) override {
        ParseStyledLine(lineText); // a bad line fails here as it would in the window
        lines[placeholder] = lineText;
    }
    void AddRankingRow(const QString& platz, const QString& name, const QString& punkte,
                       const QString& spielertyp, int showBar, int opponents) override {
        rows << QStringLiteral("%1|%2|%3|%4|%5|%6")
                    .arg(platz, name, punkte, spielertyp, QString::number(showBar),
                         QString::number(opponents));
    }
    void SetPlayerList(const QStringList& names) override { playerList = names; }
    void SetRunTables(const QStringList& p, const QList<ResultPairing>& t) override {
        participants = p, pairings = t;
    }

    // The text of a placeholder's line as the reader sees it, pieces joined; or the styles
    // of its pieces, e.g. "010".
    QString text(const QString& placeholder, bool pieceStyles = false) const {
        QString joined;
        for (const StyledPiece& p : ParseStyledLine(lines.value(placeholder)))
            joined += pieceStyles ? QString::number(p.Style) : p.Text;
        return joined;
    }
    QString styles(const QString& placeholder) const { return text(placeholder, true); }
    QStringList texts(std::initializer_list<const char*> placeholders) const {
        QStringList all;
        for (const char* p : placeholders)
            all << text(QString::fromUtf8(p));
        return all;
    }
};

// A player that always gives way except for the given D counts (of 10 cases).
inline SpielerTyp profilePlayer(std::initializer_list<std::pair<Situation, int>> dCounts,
                                const char* verteidigtSicher = "Ja") {
    SpielerTyp p = uniformPlayer(10, verteidigtSicher);
    for (const auto& [s, d] : dCounts)
        p.Situationen[s] = {10, 10 - d, d};
    return p;
}

inline SpielerTyp allD(const char* secure = "Ja") {
    return uniformPlayer(0, secure);
}

// Two players, one pairing with these average points; K moves and KK rounds under an even
// standing summed over the nine games.
inline TournamentState pairState(int punkte1, int punkte2, std::int64_t anzK, std::int64_t anzNKK) {
    TournamentState s;
    s.AnzTeilnehmerHigh = 1;
    s.AnzPaarungenHigh = 0;
    s.Paarungen.resize(1);
    std::tie(s.Paarungen[0].Punkte1, s.Paarungen[0].Punkte2) = std::pair(punkte1, punkte2);
    s.AnzK = anzK;
    s.intAnzNKK = anzNKK;
    return s;
}

// The tournament on the current game of root, results in the program folder.
inline int playTournament(TournamentState& state, const TempRoot& root, TournamentObserver& obs,
                          ResultDisplay* display, bool debug = false, std::uint64_t seed = 42) {
    state = TournamentState{};
    state.WendrakPath = state.OutFolder = root.programFolder();
    state.RootPath = root.root();
    return PlayDravolenz_new(state, obs, display, {.debug = debug, .seed = seed});
}

// The lines of a result file in the program folder, each ended by CR LF.
inline QStringList resultLines(const TempRoot& root, const QString& name) {
    QStringList all = QString::fromLatin1(root.read("Wendrak/" + name)).split("\r\n");
    all.removeLast(); // what follows the last line end
    return all;
}

// The nine game values of the "Gruppenergebnisse.Txt" line with this id.
inline QStringList groupResultValues(const TempRoot& root, const QString& id) {
    for (const QString& line : resultLines(root, "Gruppenergebnisse.Txt"))
        if (line.startsWith(id + ";"))
            return line.split(';').mid(4);
    return {};
}

// The twelve lines of "Zusammensetzung.Txt" around these values: the two cells of each row of
// the type table, the seven property shares in the file's order and the accommodation sentence.
inline QStringList compositionFile(const QStringList& cells, const QStringList& shares,
                                   const QString& accommodation) {
    const QString t = "1. Zusammensetzung: der Gruppe nach Typen;",
                  e = "2. Zusammensetzung: der Gruppe nach Eigenschaften;;";
    QStringList lines = {t + "F;;verteidigen sich sicher;Sind wiederholt ausbeutbar",
                         t + ";neigen zum unprovozierten Angreifen;" + cells[0],
                         t + ";sind bedingt konsensorientiert;" + cells[1],
                         t + ";sind friedlich;" + cells[2]};
    const char* properties[] = {
        "sind konsensorientiert:",        "sind friedlich:",           "neigen zum Angreifen:",
        "neigen zum Ausbeuten:",          "neigen zu Überreaktionen:", "verteidigen sich sicher:",
        "sind geschäftsmäßig ausbeutbar:"};
    for (int i = 0; i < 7; ++i)
        lines << e + QString::fromUtf8(properties[i]) + ";" + shares[i] + ";";
    lines << "3. Das kollektive Entgegenkommen gegenüber Angreifern;;" + accommodation + ".;";
    return lines;
}
