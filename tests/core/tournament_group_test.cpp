// The tournament run on a full group of 125 players: pairing order, file sizes and the tiny
// fractions a big group produces; and what a failure after play leaves behind.
#include "FigureTestSupport.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Gives way on its first move only, then always holds out.
SpielerTyp opener() {
    SpielerTyp p = allD();
    p.Situationen[SitErsterTag] = {10, 10, 0};
    return p;
}

class TournamentGroup : public ::testing::Test {
protected:
    void SetUp() override { platform::setDecimalSeparator(u','); }
    QString game() const { return root.programFolder() + "Aktuelles Spiel/"; }

    TempRoot root;
    TournamentState state;
    TournamentObserver quiet;
};

TEST_F(TournamentGroup,
       HundredTwentyFivePlayersExportEveryPairingAndTinySharesTakeScientificNotation) {
    // 123 holders P001..P123, then X and Y, who give way once per game: X and Y meet in one
    // round of mutual K per game, and each of them is exploited once by every holder.
    for (int i = 1; i <= 123; ++i)
        writePlayerFile(game() + QStringLiteral("P%1.ply").arg(i, 3, 10, QLatin1Char('0')), allD());
    writePlayerFile(game() + "X.ply", opener());
    writePlayerFile(game() + "Y.ply", opener());
    ASSERT_EQ(playTournament(state, root, quiet, nullptr, false, 7), RunFinished);

    const QStringList exported = resultLines(root, "Export.Txt");
    ASSERT_EQ(exported.size(), 15500);
    EXPECT_TRUE(exported[15498].startsWith("7750;X;0;502;"));
    EXPECT_TRUE(exported[15499].startsWith("7750;Y;0;502;"));
    // clang-format off
    const std::pair<const char*, const char*> expected[] = {
        {"11", "3875000"}, {"12", "1"}, {"13", "2,58064516129032E-7"}, {"14", "246"},
        {"16", "3874753"}, {"21", "7750742"}, {"22", "23250000"}, {"23", "7750000"},
        {"24", "742"}, {"25", "0,0000478709677419355"}, {"33", "0,000032"},
        {"41", "2,58064516129032E-7"}};
    // clang-format on
    for (const auto& [id, value] : expected)
        EXPECT_EQ(groupResultValues(root, id), QStringList(9, value)) << id;
    EXPECT_EQ(resultLines(root, "Zusammensetzung.Txt").size(), 12);
}

TEST_F(TournamentGroup, PlayerFileThatCannotBeRewrittenAfterPlayLeavesCompleteGameResults) {
    writePlayerFile(game() + "A.ply", allD());
    writePlayerFile(game() + "B.ply", opener());
    // The disk fills during play: the result and debug files still fit, the player files
    // that the property evaluation rewrites do not.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit full{2000, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_THROW(playTournament(state, root, quiet, nullptr, false, 7), WendrakError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(resultLines(root, "Export.Txt").size(), 2);
    EXPECT_EQ(resultLines(root, "Gruppenergebnisse.Txt").size(), 18);
    EXPECT_EQ(resultLines(root, "Zusammensetzung.Txt").size(), 0);
    EXPECT_FALSE(state.Export.isOpen() || state.Gruppenergebnisse.isOpen() ||
                 state.Zusammensetzung.isOpen());
}

} // namespace
