// Group figures, their placeholder texts and the property evaluation (see GroupFigures.h).
#include "engine/GroupFigures.h"

#include "engine/PlayerTestRuns.h"
#include "engine/ResultDisplay.h"
#include "engine/StyledLine.h"
#include "engine/WendrakCalc.h"
#include "platform/NumberFormat.h"

#include <algorithm>

namespace {

// Trunc(num / den + 0.5) from the exact quotient; 0 when there is nothing to divide by.
std::int64_t truncHalfUp(std::int64_t num, std::int64_t den) {
    if (den == 0)
        return 0;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return (2 * num + den) / (2 * den); // integer division truncates toward zero
}

// A fixed-point figure "%1.2f"; a quotient without divisor shows as 0.
QString fixed2(std::int64_t num, std::int64_t den) {
    return den == 0 ? platform::formatFixed(0, 1, 2, 1) : platform::formatFixed(num, den, 2, 1);
}

QString num(std::int64_t value) {
    return QString::number(value);
}

template <int N>
bool beginsWith(const ShortStr<N>& text, char letter) {
    return text.len > 0 && text.data[0] == letter;
}

// The sentence on the collective accommodation, in the window and in the composition file.
const QString AccommodationStart =
    QStringLiteral("Das gesamte, in der Gruppe vorhandene Entgegenkommen gegenüber Angreifern "
                   "beträgt ");
const QString AccommodationMiddle = QStringLiteral(" bei einer Gruppengröße von ");
const QString AccommodationEnd = QStringLiteral(" Teilnehmern.");

QString accommodationSum(const PropertyCounts& counts) {
    return platform::formatFixed(counts.SummeEntgegenkommenPromille, 1000, 2, 3);
}

// Percentage of favours granted: each K move is a favour, two chances per move.
std::int64_t favoursGranted(const OverallFigures& f) {
    return truncHalfUp(f.AvgK * 100, 2 * f.M);
}

// Runs 1..AnzDurchlaeufe of a run-indexed table, run 1 first.
QList<std::int32_t> runsOf(const RunValues& values) {
    return QList<std::int32_t>(values.begin() + 1, values.begin() + 1 + AnzDurchlaeufe);
}

} // namespace

OverallFigures ComputeOverallFigures(const TournamentState& state) {
    OverallFigures f;
    f.n = std::max<std::int64_t>(state.AnzTeilnehmerHigh + 1, 0);
    const std::int64_t pairs = f.n * (f.n - 1); // ordered pairs, always even
    f.AvgK = state.AnzK / AnzDurchlaeufe;
    const auto pairings =
        std::min<std::int64_t>(state.AnzPaarungenHigh + 1, std::int64_t(state.Paarungen.size()));
    for (std::int64_t k = 0; k < pairings; ++k) {
        const PaarungTyp& p = state.Paarungen[std::size_t(k)];
        f.G += std::int64_t(p.Punkte1) + p.Punkte2;
    }
    f.M = pairs * RundenProSpiel / 2;
    // A KK round brings the pair 6 points and 2 K moves, KD or DK 5 and 1, DD 2 and 0;
    // exploitation, consensus and blocking follow from the points and K moves.
    f.H = f.G - (2 * f.AvgK + 2 * f.M);
    f.Kn = (f.AvgK - f.H) / 2;
    f.Bl = f.M - f.H - f.Kn;
    f.AvgN = truncHalfUp(state.intAnzNKK, AnzDurchlaeufe);
    f.D = favoursGranted(f);
    f.P = truncHalfUp(f.AvgN * 100, f.M);
    f.Best = pairs * 1500;
    f.Worst = pairs * 500;
    f.B = truncHalfUp((f.G - f.Worst) * 100, f.Best - f.Worst);
    return f;
}

void CountProperties(const SpielerTyp& player, PropertyCounts& counts) {
    if (player.Spielertyp >= 3 && player.Spielertyp <= 6)
        ++counts.AnzKonsensorientiert;
    if (beginsWith(player.IstFriedlich, 'J') && beginsWith(player.GreiftNichtAn, 'J'))
        ++counts.AnzFriedlich;
    if (!beginsWith(player.VerteidigtSicher, 'N'))
        ++counts.AnzVerteidigtSicher;
    if (beginsWith(player.NeigtZumAngreifen, 'J'))
        ++counts.AnzNeigtZumAngreifen;
    if (beginsWith(player.NeigtZumAusbeuten, 'J'))
        ++counts.AnzNeigtZumAusbeuten;
    if (beginsWith(player.NeigtZuUeberreaktionen, 'J'))
        ++counts.AnzNeigtZuUeberreaktionen;
    if (beginsWith(player.GeschaeftsmaessigAusbeutbar, 'J'))
        ++counts.AnzGeschaeftsmaessigAusbeutbar;
    counts.SummeEntgegenkommenPromille += 1000 - std::int64_t(player.ErgebnisGegenD);
}

QString PropertyShare(std::int64_t count, std::int64_t n) {
    return n > 0 ? platform::formatFixed(count * 100, n, 1, 3) : platform::formatFixed(0, 1, 1, 3);
}

QString TypAnteil(const TypeTallies& tallies, int type, std::int64_t n) {
    const std::int64_t count = type >= 1 && type <= 6 ? tallies.AnzTyp[std::size_t(type)] : 0;
    QString text = PropertyShare(count, n);
    // The type shares are written with "," under every locale.
    text.replace(platform::decimalSeparator(), QLatin1Char(','));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString AccommodationText(const PropertyCounts& counts, std::int64_t n) {
    return AccommodationStart + accommodationSum(counts) + AccommodationMiddle + num(n) +
           AccommodationEnd;
}

namespace {

// The most common line of the result window: a text, its figure highlighted, and a text
// after it; either text may be missing (then there is no piece for it).
struct FigureLine {
    const char* placeholder;
    const char* before; // UTF-8, or null
    QString figure;
    const char* after = nullptr; // UTF-8, or null
};

void showFigures(ResultDisplay& display, std::initializer_list<FigureLine> lines) {
    for (const FigureLine& l : lines) {
        std::vector<std::pair<int, QString>> pieces;
        if (l.before)
            pieces.emplace_back(0, QString::fromUtf8(l.before));
        pieces.emplace_back(1, l.figure);
        if (l.after)
            pieces.emplace_back(0, QString::fromUtf8(l.after));
        display.ShowStyledLine(QLatin1String(l.placeholder), StyledLine(pieces));
    }
}

} // namespace

void ShowMoveOverview(const TournamentState& state, ResultDisplay& display) {
    display.SetCounts(AnzDurchlaeufe, state.AnzTeilnehmerHigh);
    const OverallFigures f = ComputeOverallFigures(state);
    showFigures(display,
                {{"LabelAnzahlallerzuege", "Anzahl aller Züge in dieser Gruppe: ", num(f.M)},
                 {"LabelHereinlegenendet", "Mit einem Hereinlegen endeten: ", num(f.H)},
                 {"LabelBlockieren", "Mit einem Blockieren endeten: ", num(f.Bl)},
                 {"LabelKonsens", "Mit einem Konsens endeten: ", num(f.Kn)},
                 {"Labelerwuenschtedienste", "Das heißt: ", num(f.D),
                  "% der erwünschten Dienste oder Gefälligkeiten wurden gewährt."}});
    display.ShowStyledLine(
        QStringLiteral("LabelImFriedenEndeten"),
        StyledLine({{0, QStringLiteral("Im Frieden endeten: ")},
                    {1, num(f.AvgN)},
                    {0, QStringLiteral(" von insgesamt ")},
                    {1, num(f.M)},
                    {0, QStringLiteral(" Zügen. Das sind ")},
                    {1, num(f.P)},
                    {0, QStringLiteral("% aller Züge. Die soziale Effektivität qualitativer Art "
                                       "beträgt somit ")},
                    {1, fixed2(f.AvgN, f.M)}}));
    showFigures(display,
                {{"LabelSozEffQuant",
                  "Die soziale Effektivität quantitativer Art beträgt: ", fixed2(f.D, 100)}});
}

void ShowGroupEconomy(const TournamentState& state, ResultDisplay& display) {
    const int n = std::max(state.AnzTeilnehmerHigh + 1, 0);
    QStringList names;
    for (int i = 0; i < n && i < int(state.SpielerNamen.size()); ++i)
        names << state.SpielerNamen[std::size_t(i)];
    display.SetPlayerList(names);

    QStringList participants;
    for (int i = 0; i < n && i < int(state.Teilnehmer.size()); ++i)
        participants << state.Teilnehmer[std::size_t(i)].Name;
    QList<ResultPairing> pairings;
    pairings.reserve(std::max(state.AnzPaarungenHigh + 1, 0));
    for (int k = 0; k <= state.AnzPaarungenHigh && k < int(state.Paarungen.size()); ++k) {
        const PaarungTyp& p = state.Paarungen[std::size_t(k)];
        ResultPairing r;
        r.Name1 = p.Name1;
        r.Name2 = p.Name2;
        r.Punkte1 = p.Punkte1;
        r.Punkte2 = p.Punkte2;
        r.ErhalteneDienste1 = runsOf(p.ErhalteneDienste1);
        r.ErhalteneDienste2 = runsOf(p.ErhalteneDienste2);
        r.ErwieseneDienste1 = runsOf(p.ErwieseneDienste1);
        r.ErwieseneDienste2 = runsOf(p.ErwieseneDienste2);
        pairings << r;
    }
    display.SetRunTables(participants, pairings);

    const OverallFigures f = ComputeOverallFigures(state);
    showFigures(display,
                {{"Labelwirtschafterg", "Die Gruppe erwirtschaftet ein Ergebnis von: ", num(f.G)},
                 {"LabelBestesErgebnis", "Das bestmögliche Ergebnis wäre gewesen: ", num(f.Best)},
                 {"LabelSchlechtesteErgebnis",
                  "Das schlechtmöglichste Ergebnis wäre gewesen: ", num(f.Worst)},
                 {"LabelGruppehaterwirtschaftet",
                  "So erwirtschaftete die Gruppe (bereinigt): ", num(f.B), "% des Möglichen."},
                 {"LabelWirtschaftlichkeitsfaktor", "Der Wirtschaftlichskeitfaktor beträgt: ",
                  fixed2(f.G - f.Worst, f.Best - f.Worst)}});
}

void ShowTypeAverages(const TypeTallies& tallies, ResultDisplay& display) {
    static const std::pair<int, const char*> cells[] = {
        {1, "LabelVertsicher_AngriffNeig"},
        {3, "LabelVertsicher_AngriffNeigNachAngriff"},
        {5, "LabelVertsicher_Friedlich"},
        {2, "LabelAusbeutbar_AngriffNeig"},
        {4, "LabelAusbeutbar_AngriffNeigNachAngriff"},
        {6, "LabelAusbeutbar_Friedlich"},
    };
    for (const auto& [type, placeholder] : cells) {
        const std::int64_t count = tallies.AnzTyp[std::size_t(type)];
        const QString text =
            count > 0 ? num(tallies.PunkteTyp[std::size_t(type)] / count) : QStringLiteral("k.A.");
        display.ShowStyledLine(QLatin1String(placeholder), StyledLine({{2, text}}));
    }
}

PropertyCounts EvaluatePlayerProperties(const TournamentState& state, bool force) {
    PropertyCounts counts;
    const QString folder = CurrentGameFolder(state);
    for (int i = 0; i <= state.AnzTeilnehmerHigh && i < int(state.Teilnehmer.size()); ++i) {
        // Traits and the four measures: the file is read and written once instead of once
        // per step.
        const SpielerTyp player =
            MeasurePlayerFile(folder + state.Teilnehmer[std::size_t(i)].Datei, force);
        CountProperties(player, counts);
    }
    return counts;
}

void ShowCompositionTexts(const TournamentState& state, const TypeTallies& tallies,
                          const PropertyCounts& counts, ResultDisplay& display) {
    const OverallFigures f = ComputeOverallFigures(state);
    static const std::pair<const char*, int> typeCells[] = {
        {"lblZ11", 1}, {"lblZ12", 3}, {"lblZ13", 5}, {"lblZ21", 2}, {"lblZ22", 4}, {"lblZ23", 6},
    };
    for (const auto& [placeholder, type] : typeCells)
        display.ShowStyledLine(
            QLatin1String(placeholder),
            StyledLine({{2, TypAnteil(tallies, type, f.n)}, {0, QStringLiteral("%")}}));

    display.ShowStyledLine(QStringLiteral("lblAMass"), StyledLine({{0, AccommodationStart},
                                                                   {1, accommodationSum(counts)},
                                                                   {0, AccommodationMiddle},
                                                                   {1, num(f.n)},
                                                                   {0, AccommodationEnd}}));

    auto share = [&f](std::int32_t count) { return PropertyShare(count, f.n); };
    showFigures(
        display,
        {{"Label12", "sind ", share(counts.AnzKonsensorientiert),
          "% konsensorientiert (greifen nicht als erste an)"},
         {"Label13", "sind ", share(counts.AnzFriedlich), "% friedlich"},
         {"Label14", "verteidigen sich ", share(counts.AnzVerteidigtSicher), "% sicher"},
         {"Label49", "erweisen sich ", share(counts.AnzGeschaeftsmaessigAusbeutbar),
          "% unter andauerndem Druck der Gegenseite durch Defektionen als geschäftsmäßig "
          "ausbeutbar."},
         {"Label15", nullptr, share(counts.AnzNeigtZumAngreifen), "% Neigungen zum Angreifen."},
         {"Label16", nullptr, share(counts.AnzNeigtZumAusbeuten), "% Neigungen zum Ausbeuten."},
         {"Label17", nullptr, share(counts.AnzNeigtZuUeberreaktionen),
          "% Neigungen zu Überreaktionen."}});

    showFigures(display, {{"LabelDienste", "In dieser Gruppe wurden ", num(favoursGranted(f)),
                           "% der erbetenen Dienste oder Gefälligkeiten gewährt."}});
}
