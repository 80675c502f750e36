// Shared by the ranking, figures and composition tests: a display that records what the
// run hands it, and builders for player records and run states.
#pragma once

#include "engine/ResultDisplay.h"
#include "engine/StyledLine.h"
#include "engine/Tournament.h"
#include "players/PlayerFile.h"

#include <QMap>
#include <initializer_list>
#include <utility>

struct RankingRow {
    QString platz, name, punkte, spielertyp;
    int showBar = 0, opponents = 0;
};

class RecordingDisplay : public ResultDisplay {
public:
    int anzDurchlaeufe = -1, anzTeilnehmerHigh = -1;
    QMap<QString, QString> lines; // placeholder -> last styled line
    QList<RankingRow> rows;
    QStringList playerList, participants;
    QList<ResultPairing> pairings;

    void SetCounts(int runs, int high) override {
        anzDurchlaeufe = runs;
        anzTeilnehmerHigh = high;
    }
    void ShowStyledLine(const QString& placeholder, const QString& lineText) override {
        ParseStyledLine(lineText); // a bad line fails here as it would in the window
        lines[placeholder] = lineText;
    }
    void AddRankingRow(const QString& platz, const QString& name, const QString& punkte,
                       const QString& spielertyp, int showBar, int opponents) override {
        rows.append({platz, name, punkte, spielertyp, showBar, opponents});
    }
    void SetPlayerList(const QStringList& names) override { playerList = names; }
    void SetRunTables(const QStringList& p, const QList<ResultPairing>& t) override {
        participants = p;
        pairings = t;
    }

    // The text of a placeholder's line as the reader sees it, pieces joined.
    QString text(const QString& placeholder) const {
        QString joined;
        for (const StyledPiece& p : ParseStyledLine(lines.value(placeholder)))
            joined += p.Text;
        return joined;
    }
    // The styles of a placeholder's pieces, e.g. "010".
    QString styles(const QString& placeholder) const {
        QString s;
        for (const StyledPiece& p : ParseStyledLine(lines.value(placeholder)))
            s += QString::number(p.Style);
        return s;
    }
};

// A profile player with 10 cases per situation and the given D counts.
inline SpielerTyp profilePlayer(std::initializer_list<std::pair<Situation, int>> dCounts,
                                const char* verteidigtSicher = "Ja") {
    SpielerTyp p = zeroedPlayer();
    for (int s = 0; s < SituationCount; ++s)
        p.Situationen[s] = {10, 10, 0};
    for (const auto& [s, d] : dCounts)
        p.Situationen[s] = {10, 10 - d, d};
    p.VerteidigtSicher.set(QString::fromUtf8(verteidigtSicher));
    return p;
}

inline SpielerTyp automatonPlayer(const char* name = "Automat") {
    SpielerTyp p = zeroedPlayer();
    p.IstAutomat = 1;
    p.Name.set(QString::fromUtf8(name));
    return p;
}

inline SpielerTyp allD(const char* verteidigtSicher = "Ja") {
    SpielerTyp p = profilePlayer({}, verteidigtSicher);
    for (int s = 0; s < SituationCount; ++s)
        p.Situationen[s] = {10, 0, 10};
    return p;
}
