// Ranking rows and the behaviour types of the participants (see Ranking.h).
#include "engine/Ranking.h"

#include "engine/ResultDisplay.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <algorithm>

QString TypeName(int type) {
    return type == 0 ? QStringLiteral("Nicht bekannt.") : QStringLiteral("Typ%1").arg(type);
}

void SortRanking(int high, std::vector<TeilnehmerTyp>& entries) {
    if (high < 0 || entries.empty())
        return;
    const auto last = std::min<std::size_t>(std::size_t(high) + 1, entries.size());
    std::stable_sort(
        entries.begin(), entries.begin() + std::ptrdiff_t(last),
        [](const TeilnehmerTyp& a, const TeilnehmerTyp& b) { return a.Punkte > b.Punkte; });
}

std::int32_t ShownPoints(std::int32_t punkte) {
    return punkte / AnzDurchlaeufe;
}

QString RankText(const std::vector<TeilnehmerTyp>& sorted, int i) {
    if (i == 0)
        return QStringLiteral("1.");
    // Ties are told by the totals, so two players showing the same average may still
    // get different ranks.
    if (sorted[std::size_t(i)].Punkte == sorted[std::size_t(i) - 1].Punkte)
        return QString();
    return QString::number(i + 1) + QLatin1Char('.');
}

int PlayerTypeOf(const SpielerTyp& player, const QString& datei) {
    if (player.IstAutomat != 0) {
        // Automata have no profile to judge; the few shipped ones are known by their file
        // names in the current game (a renamed copy such as "Graf_1.ply" is not).
        const QString f = platform::ansiUpper(datei);
        int type = 0;
        if (f == QLatin1String("ECK.PLY"))
            type = 5;
        if (f == QLatin1String("UNTERWERFER3TRIBUT.PLY"))
            type = 1;
        if (f == QLatin1String("GRAF.PLY"))
            type = 3;
        if (f.contains(QLatin1String("YOKA")))
            type = 5;
        return type;
    }
    auto d = [&player](int situation) {
        return std::int64_t(player.Situationen[situation].AnzahlD);
    };
    const std::int64_t a = d(SitErsterTag) + d(SitNKK);
    const std::int64_t s = a + d(SitMKD) + d(SitNDD) + d(SitPDK);
    const bool exploitable = player.VerteidigtSicher == "Nein";
    int type;
    if (s > 0 && a > 0)
        type = 1;
    else if (s > 0)
        type = 3;
    else
        type = 5;
    return exploitable ? type + 1 : type;
}

QString CurrentGameFolder(const TournamentState& state) {
    return platform::withTrailingSlash(state.WendrakPath) + QStringLiteral("Aktuelles Spiel/");
}

int ClassifyPlayerType(const TournamentState& state, int i, TypeTallies& tallies) {
    const TeilnehmerTyp& t = state.Teilnehmer[std::size_t(i)];
    const SpielerTyp player = readPlayerFile(CurrentGameFolder(state) + t.Datei);
    const int type = PlayerTypeOf(player, t.Datei);
    if (type >= 1 && type <= 6) {
        tallies.AnzTyp[std::size_t(type)] += 1;
        tallies.PunkteTyp[std::size_t(type)] += ShownPoints(t.Punkte);
    }
    return type;
}

void ShowRanking(TournamentState& state, ResultDisplay& display, TypeTallies& tallies) {
    SortRanking(state.AnzTeilnehmerHigh, state.Teilnehmer);
    tallies = TypeTallies{};
    display.AddRankingRow(QStringLiteral("Platz"), QStringLiteral("Name"), QStringLiteral("Punkte"),
                          QStringLiteral("Spielertyp"), -1, -1);
    const int high = std::min<int>(state.AnzTeilnehmerHigh, int(state.Teilnehmer.size()) - 1);
    for (int i = 0; i <= high; ++i) {
        const TeilnehmerTyp& t = state.Teilnehmer[std::size_t(i)];
        const int type = ClassifyPlayerType(state, i, tallies);
        const QString typeText =
            type < int(state.TypNamen.size()) ? state.TypNamen[std::size_t(type)] : TypeName(type);
        display.AddRankingRow(RankText(state.Teilnehmer, i), t.Name,
                              QString::number(ShownPoints(t.Punkte)), typeText,
                              state.AnzTeilnehmerHigh, state.AnzTeilnehmerHigh);
    }
}
