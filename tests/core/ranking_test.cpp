// The ranking: order and rank texts, the behaviour type of every kind of player, and the
// rows and tallies of a whole group read from the current game's files.
#include "FigureTestSupport.h"
#include "engine/Ranking.h"
#include "platform/WendrakError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

std::vector<TeilnehmerTyp> participants(std::initializer_list<std::pair<const char*, int>> list) {
    std::vector<TeilnehmerTyp> t;
    for (const auto& [name, punkte] : list)
        t.push_back({QString::fromUtf8(name), QString::fromUtf8(name) + ".ply", punkte});
    return t;
}

QStringList names(const std::vector<TeilnehmerTyp>& t) {
    QStringList n;
    for (const auto& p : t)
        n << p.Name;
    return n;
}

TEST(Ranking, SortsBestFirstAndKeepsLoadOrderOnEqualTotals) {
    auto t = participants({{"A", 4000}, {"B", 5000}, {"C", 5000}, {"D", 3000}, {"E", 5000}});
    SortRanking(4, t);
    EXPECT_EQ(names(t), QStringList({"B", "C", "E", "A", "D"}));
    auto part = participants({{"A", 1}, {"B", 2}, {"C", 3}, {"D", 9}});
    SortRanking(2, part); // entries beyond high stay where they are
    EXPECT_EQ(names(part), QStringList({"C", "B", "A", "D"}));
    SortRanking(99, part); // a high beyond the table sorts what is there
    EXPECT_EQ(names(part), QStringList({"D", "C", "B", "A"}));
}

TEST(Ranking, RankTextIsEmptyOnlyForEqualTotals) {
    const auto tie = participants({{"A", 5000}, {"B", 5000}, {"C", 4000}});
    EXPECT_EQ(QStringList({RankText(tie, 0), RankText(tie, 1), RankText(tie, 2)}),
              QStringList({"1.", "", "3."}));
    // Both show 500 points, but the totals differ, so the ranks do too.
    const auto close = participants({{"A", 4505}, {"B", 4500}});
    EXPECT_EQ(std::make_pair(ShownPoints(4505), ShownPoints(4500)), std::make_pair(500, 500));
    EXPECT_EQ(QStringList({RankText(close, 0), RankText(close, 1)}), QStringList({"1.", "2."}));
}

struct ProfileCase {
    std::initializer_list<std::pair<Situation, int>> d;
    const char* verteidigtSicher;
    int type;
};

TEST(Ranking, ProfileTypeFollowsUnprovokedAndProvokedAttacksAndDefence) {
    // clang-format off
    const ProfileCase cases[] = {
        {{}, "Ja", 5}, {{}, "Nein", 6}, {{}, "k.A.", 5},
        {{}, "nein", 5}, // only the exact "Nein" makes a player exploitable
        {{{SitErsterTag, 1}}, "Ja", 1}, {{{SitErsterTag, 1}}, "Nein", 2},
        {{{SitNKK, 4}}, "Ja", 1},
        {{{SitNDD, 3}}, "Ja", 3}, {{{SitNDD, 3}}, "Nein", 4}, {{{SitNDD, 3}}, "k.A.", 3},
        {{{SitPDK, 1}}, "Nein", 4},
        // D in situations that neither start nor answer an attack do not count.
        {{{SitMDD, 10}, {SitMDK, 10}, {SitMKK, 10}, {SitNDK, 10}, {SitNKD, 10}, {SitPDD, 10},
          {SitPKD, 10}, {SitPKK, 10}}, "Ja", 5},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(PlayerTypeOf(profilePlayer(cases[i].d, cases[i].verteidigtSicher), "S.ply"),
                  cases[i].type)
            << "row " << i;
}

TEST(Ranking, AutomataAreKnownOnlyByTheirFileNames) {
    const std::pair<const char*, int> cases[] = {
        {"ECK.PLY", 5},         {"eck.ply", 5},     {"Unterwerfer3Tribut.ply", 1}, {"Graf.ply", 3},
        {"GRAF.PLY", 3},        {"Graf_1.ply", 0}, // a copy renamed by the game setup is unknown
        {"Typ5 Yoka.ply", 5},   {"myyokaX.ply", 5}, {"GrafYoka.ply", 5}, // the later test wins
        {"Tit for Tat.ply", 0},
    };
    const SpielerTyp automaton = automatonPlayer();
    for (const auto& [file, type] : cases)
        EXPECT_EQ(PlayerTypeOf(automaton, file), type) << file;
    // An automaton's situation table is never judged.
    SpielerTyp attacker = allD("Nein");
    attacker.IstAutomat = 1;
    EXPECT_EQ(PlayerTypeOf(attacker, "Angreifer.ply"), 0);
}

class RankingGroup : public ::testing::Test {
protected:
    TempRoot root;
    TournamentState state;
    RecordingDisplay display;

    void SetUp() override {
        state.WendrakPath = root.programFolder();
        InitTypeNames(state);
    }
    void add(const char* name, int punkte, const SpielerTyp& record) {
        const QString file = QString::fromUtf8(name) + ".ply";
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/" + file, record);
        state.Teilnehmer.push_back({QString::fromUtf8(name), file, punkte});
        state.AnzTeilnehmerHigh = int(state.Teilnehmer.size()) - 1;
    }
};

TEST_F(RankingGroup, RowsShowRankNamePointsAndTypeAfterTheHeader) {
    add("Friedlich", 9 * 1200 + 8, profilePlayer({}, "Nein")); // type 6, shows 1200
    add("Angreifer", 9 * 2000, allD());                        // type 1
    add("Graf", 9 * 1200 + 3, automatonPlayer("Graf"));        // type 3, equal shown points
    add("Zug", 9 * 900, automatonPlayer("Zug"));               // unknown automaton
    add("Zweiter", 9 * 500 + 7, allD());                       // type 1 again
    TypeTallies tallies;
    tallies.AnzTyp[1] = 77; // left over from an earlier run
    ShowRanking(state, display, tallies);

    QStringList shown;
    for (const RankingRow& r : display.rows)
        shown << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(r.platz, r.name, r.punkte, r.spielertyp)
                     .arg(r.showBar)
                     .arg(r.opponents);
    EXPECT_EQ(shown,
              QStringList({"Platz|Name|Punkte|Spielertyp|-1|-1", "1.|Angreifer|2000|Typ1|4|4",
                           "2.|Friedlich|1200|Typ6|4|4", "3.|Graf|1200|Typ3|4|4",
                           "4.|Zug|900|Nicht bekannt.|4|4", "5.|Zweiter|500|Typ1|4|4"}));
    // The table stays in ranking order for the later steps.
    EXPECT_EQ(names(state.Teilnehmer),
              QStringList({"Angreifer", "Friedlich", "Graf", "Zug", "Zweiter"}));

    const std::array<std::int64_t, 7> anz = {0, 2, 0, 1, 0, 0, 1};
    const std::array<std::int64_t, 7> punkte = {0, 2500, 0, 1200, 0, 0, 1200};
    EXPECT_EQ(tallies.AnzTyp, anz);
    EXPECT_EQ(tallies.PunkteTyp, punkte);
}

TEST_F(RankingGroup, MissingPlayerFileStopsWithItsName) {
    add("Da", 100, profilePlayer({}));
    state.Teilnehmer.push_back({"Weg", "Weg.ply", 50});
    state.AnzTeilnehmerHigh = 1;
    TypeTallies tallies;
    EXPECT_THAT([&] { ShowRanking(state, display, tallies); },
                testing::ThrowsMessage<WendrakError>(testing::HasSubstr("Weg.ply")));
}

} // namespace
