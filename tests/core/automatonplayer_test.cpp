// Automaton players: the file name field is the name with ".PLY", cut to 50 characters;
// the type number must be a whole number.
#include "players/AutomatonPlayer.h"

#include "platform/WendrakError.h"

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

TEST(AutomatonPlayerTest, TypeNumberMustBeAWholeNumber) {
    AutomatonInput input;
    input.Name = "Robo";
    for (const auto& [text, value] : {std::pair{" 6 ", 6}, {"-2", -2}, {"0", 0}}) {
        input.Spielertyp = text;
        EXPECT_EQ(BuildAutomatonPlayer(input).Spielertyp, value) << text;
    }
    for (const char* bad : {"", "5a", "2,5", "99999999999"}) {
        input.Spielertyp = bad;
        EXPECT_THROW(BuildAutomatonPlayer(input), WendrakError) << bad;
    }
}
