// The game setup's rules: the lookup in the two stores, the copy into the game folder and
// the number of players a game may have (the filter is the player chooser's window test).
#include "players/GameSetup.h"

#include "TempRoot.h"
#include "engine_fixtures.h"
#include "platform/NameCheck.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

namespace {

class GameSetupTest : public ::testing::Test {
protected:
    TempRoot root;
    QString data() const { return root.programFolder(); }
};

TEST(GameSetupRules, AGameNeedsTwoToMaxPlayers) {
    for (const auto& [count, playable] :
         {std::pair{0, false}, {1, false}, {2, true}, {125, true}, {126, false}})
        EXPECT_EQ(IsPlayablePlayerCount(count, 125), playable) << count;
}

TEST_F(GameSetupTest, LookupPrefersTheStoreAndNeverLeavesIt) {
    const QString stored = root.write("Wendrak/SpielerStamm/Anna.ply", "stamm");
    root.write("Wendrak/SpielerStammImport/Anna.ply", "import");
    const QString imported = root.write("Wendrak/SpielerStammImport/Ida.ply", "import");
    root.write("Wendrak/Geheim.ply", "x");
    EXPECT_EQ(FindStoredPlayer(data(), "Anna.ply"), stored);
    EXPECT_EQ(FindStoredPlayer(data(), "Ida.ply"), imported);
    for (const char* name : {"Fehlt.ply", "../Geheim.ply", "..\\Geheim.ply", ""})
        EXPECT_EQ(FindStoredPlayer(data(), name), QString()) << name;
}

TEST_F(GameSetupTest, CopyTakesAFreeNameCreatesTheGameFolderAndReportsFailures) {
    root.write("Wendrak/SpielerStamm/Anna.ply", "anna");
    const QString newGame = data() + "Neues Spiel/";
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Anna.ply"), newGame + "Anna.ply");
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Anna.ply"), newGame + "Anna_1.ply");
    EXPECT_EQ(root.read("Wendrak/Neues Spiel/Anna_1.ply"), "anna");
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Fehlt.ply"), QString());

    root.write("Wendrak/SpielerStamm/.versteckt.ply", "x");
    EXPECT_EQ(errorOf([&] { CopyStoredPlayerToGame(data(), newGame, ".versteckt.ply"); }),
              platform::UnusableNameMessage());
    root.write("Wendrak/KeinOrdner", "a file where the game folder should be");
    EXPECT_THROW(CopyStoredPlayerToGame(data(), data() + "KeinOrdner/", "Anna.ply"), WendrakError);
}

} // namespace
