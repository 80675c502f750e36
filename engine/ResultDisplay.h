// The result window as the tournament run sees it: the routines through which the run
// hands over its figures, ranking rows and tables. The window implements it with labels
// and panels, the headless driver prints the same content as text, and tests record it.
// Qt Core only, so the domain code can fill any of them.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// One pairing as the window needs it for the games list of a chosen player and for the
// page of favours received and granted. The favour lists hold one entry per run, run 1
// first (the run hands over its AnzDurchlaeufe runs).
struct ResultPairing {
    QString Name1;
    QString Name2;
    std::int32_t Punkte1 = 0; // rounded average over the runs
    std::int32_t Punkte2 = 0;
    QList<std::int32_t> ErhalteneDienste1;
    QList<std::int32_t> ErhalteneDienste2;
    QList<std::int32_t> ErwieseneDienste1;
    QList<std::int32_t> ErwieseneDienste2;
};

// One row of the games list: the chosen player always stands first.
struct ResultGameRow {
    QString Spieler1;
    QString Spieler2;
    std::int32_t Punkte1 = 0;
    std::int32_t Punkte2 = 0;
};

// One favour row: per-run averages of favours received and granted, and the bar maximum.
struct ResultServicesRow {
    QString Name;
    std::int32_t Received = 0;
    std::int32_t Granted = 0;
    std::int32_t Maximum = 0;
};

class ResultDisplay {
public:
    virtual ~ResultDisplay() = default;

    // Runs per pairing and number of participants minus one; set before any page is filled.
    virtual void SetCounts(int anzDurchlaeufe, int anzTeilnehmerHigh) = 0;

    // Shows one styled line (see engine/StyledLine.h) in place of the placeholder label
    // with this object name, e.g. "LabelKonsens". An item whose style is no decimal digit
    // throws WendrakError; the items shown before it stay.
    virtual void ShowStyledLine(const QString& placeholder, const QString& lineText) = 0;

    // Appends a row to the ranking page. showBar -1 is the header row; 0 or more draws the
    // points bar scaled for `opponents` opponents (maximum opponents x 2500 points).
    virtual void AddRankingRow(const QString& platz, const QString& name, const QString& punkte,
                               const QString& spielertyp, int showBar, int opponents) = 0;

    // The items of ComboBoxSpielerliste (participant names in load order); the first one
    // is selected.
    virtual void SetPlayerList(const QStringList& names) = 0;

    // The run's tables that the window reads on its own: participant names in the order of
    // the table when the window opens (ranking order) and every pairing in table order.
    virtual void SetRunTables(const QStringList& participants,
                              const QList<ResultPairing>& pairings) = 0;

    // Showing the filled window is up to whoever drives the run (the run's observer).
};

// A display that takes everything and shows nothing, for a run without a result window.
class NoResultDisplay : public ResultDisplay {
public:
    void SetCounts(int, int) override {}
    void ShowStyledLine(const QString&, const QString&) override {}
    void AddRankingRow(const QString&, const QString&, const QString&, const QString&, int,
                       int) override {}
    void SetPlayerList(const QStringList&) override {}
    void SetRunTables(const QStringList&, const QList<ResultPairing>&) override {}
};

// The games of one player, in pairing order, the player first. Names compare exactly.
inline QList<ResultGameRow> GamesOfPlayer(const QList<ResultPairing>& pairings,
                                          const QString& player) {
    QList<ResultGameRow> rows;
    for (const ResultPairing& p : pairings) {
        if (p.Name1 == player)
            rows.append({p.Name1, p.Name2, p.Punkte1, p.Punkte2});
        else if (p.Name2 == player)
            rows.append({p.Name2, p.Name1, p.Punkte2, p.Punkte1});
    }
    return rows;
}

// The rows of the favours page: first "Maximum an Diensten:" at full width, then one row
// per participant with its favours summed over all its pairings and runs, divided by the
// runs (truncated). Runs below 1 are treated as 1, so a badly set count cannot divide by 0.
inline QList<ResultServicesRow> ServicesRows(const QStringList& participants,
                                             const QList<ResultPairing>& pairings,
                                             int anzDurchlaeufe, int anzTeilnehmerHigh) {
    const std::int64_t runs = anzDurchlaeufe < 1 ? 1 : anzDurchlaeufe;
    const std::int64_t maxDienste = std::int64_t(500) * runs * anzTeilnehmerHigh;
    const auto m = static_cast<std::int32_t>(maxDienste / runs);
    auto sumRuns = [runs](const QList<std::int32_t>& perRun) {
        std::int64_t sum = 0;
        for (qsizetype r = 0; r < perRun.size() && r < runs; ++r)
            sum += perRun[r];
        return sum;
    };
    // Sums per name in one pass over the pairings, so big groups stay fast.
    struct Sums {
        std::int64_t received = 0, granted = 0;
    };
    QHash<QString, Sums> sums;
    for (const QString& name : participants)
        sums.insert(name, Sums{});
    for (const ResultPairing& p : pairings) {
        if (auto it = sums.find(p.Name1); it != sums.end()) {
            it->received += sumRuns(p.ErhalteneDienste1);
            it->granted += sumRuns(p.ErwieseneDienste1);
        }
        if (auto it = sums.find(p.Name2); it != sums.end()) {
            it->received += sumRuns(p.ErhalteneDienste2);
            it->granted += sumRuns(p.ErwieseneDienste2);
        }
    }
    QList<ResultServicesRow> rows;
    rows.reserve(participants.size() + 1);
    rows.append({QStringLiteral("Maximum an Diensten:"), m, m, m});
    for (const QString& name : participants) {
        const Sums s = sums.value(name);
        rows.append({name, static_cast<std::int32_t>(s.received / runs),
                     static_cast<std::int32_t>(s.granted / runs), m});
    }
    return rows;
}
