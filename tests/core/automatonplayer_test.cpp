// Automaton players: the file name field is the name with ".PLY", cut to 50 characters.
#include "players/AutomatonPlayer.h"

#include <gtest/gtest.h>

TEST(AutomatonPlayerTest, FileNameIsTheNameWithPlyCutToFiftyCharacters) {
    for (const auto& [length, fileName] : {std::pair{46, QString(46, 'a') + ".PLY"},
                                           {48, QString(48, 'a') + ".P"},
                                           {50, QString(50, 'a')},
                                           {60, QString(50, 'a')}}) {
        AutomatonInput input;
        input.Name = QString(length, 'a');
        input.Spielertyp = "0";
        EXPECT_EQ(BuildAutomatonPlayer(input).Dateiname.get(), fileName) << length;
    }
}
