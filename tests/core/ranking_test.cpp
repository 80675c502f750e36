// The ranking: the behaviour type of every kind of player, and the order, rank texts, rows
// and tallies of a whole group read from the current game's files.
#include "FigureTestSupport.h"
#include "engine/Ranking.h"

#include <gtest/gtest.h>

namespace {

TEST(Ranking, ProfileTypeFollowsUnprovokedAndProvokedAttacksAndDefence) {
    // clang-format off
    const struct { std::initializer_list<std::pair<Situation, int>> d; const char* secure; int type; }
    cases[] = {
        {{}, "Ja", 5}, {{}, "Nein", 6}, {{}, "nein", 5}, // only the exact "Nein" counts
        {{{SitErsterTag, 1}}, "Ja", 1}, {{{SitErsterTag, 1}}, "Nein", 2}, {{{SitNKK, 4}}, "Ja", 1},
        {{{SitNDD, 3}}, "Ja", 3}, {{{SitNDD, 3}}, "Nein", 4}, {{{SitPDK, 1}}, "Nein", 4},
        // D in situations that neither start nor answer an attack do not count.
        {{{SitMDD, 10}, {SitMDK, 10}, {SitMKK, 10}, {SitNDK, 10}, {SitNKD, 10}, {SitPDD, 10},
          {SitPKD, 10}, {SitPKK, 10}}, "Ja", 5},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(PlayerTypeOf(profilePlayer(c.d, c.secure), "S.ply"), c.type)
            << c.secure << " " << c.d.size() << " situation(s) -> " << c.type;
}

TEST(Ranking, AutomataAreKnownOnlyByTheirFileNames) {
    const std::pair<const char*, int> cases[] = {
        {"eck.ply", 5},         {"Unterwerfer3Tribut.ply", 1},
        {"GRAF.PLY", 3},        {"Graf_1.ply", 0},   // a copy renamed by the game setup is unknown
        {"myyokaX.ply", 5},     {"GrafYoka.ply", 5}, // the later test wins
        {"Tit for Tat.ply", 0},
    };
    SpielerTyp record = allD("Nein"); // a situation table that is never judged
    record.IstAutomat = 1;
    for (const auto& [file, type] : cases)
        EXPECT_EQ(PlayerTypeOf(record, file), type) << file;
}

TEST(RankingGroup, RowsShowRankNamePointsAndTypeAfterTheHeader) {
    TempRoot root;
    TournamentState state;
    state.WendrakPath = root.programFolder();
    InitTypeNames(state);
    const auto add = [&](const char* name, int punkte, const SpielerTyp& record) {
        writePlayerFile(root.programFolder() + "Aktuelles Spiel/" + name + ".ply", record);
        state.Teilnehmer.push_back({name, QString(name) + ".ply", punkte});
    };
    add("Friedlich", 9 * 1200 + 8, profilePlayer({}, "Nein")); // type 6, shows 1200
    add("Angreifer", 9 * 2000, allD());                        // type 1
    // Graf is of type 3 by its file name; equal shown points, yet ranked apart.
    add("Graf", 9 * 1200 + 3, automaton({MoveK, MoveK, MoveK}));
    add("Zug", 9 * 900, automaton({MoveK, MoveK, MoveK})); // unknown automaton
    add("Zweiter", 9 * 900, allD()); // type 1 again, a total equal to Zug's: no rank of its own
    state.AnzTeilnehmerHigh = 4;
    RecordingDisplay display;
    TypeTallies tallies;
    tallies.AnzTyp[1] = 77; // left over from an earlier run
    ShowRanking(state, display, tallies);

    EXPECT_EQ(display.rows,
              QStringList({"Platz|Name|Punkte|Spielertyp|-1|-1", "1.|Angreifer|2000|Typ1|4|4",
                           "2.|Friedlich|1200|Typ6|4|4", "3.|Graf|1200|Typ3|4|4",
                           "4.|Zug|900|Nicht bekannt.|4|4", "|Zweiter|900|Typ1|4|4"}));
    EXPECT_EQ(tallies.AnzTyp, (std::array<std::int64_t, 7>{0, 2, 0, 1, 0, 0, 1}));
    EXPECT_EQ(tallies.PunkteTyp, (std::array<std::int64_t, 7>{0, 2900, 0, 1200, 0, 0, 1200}));
}

} // namespace
