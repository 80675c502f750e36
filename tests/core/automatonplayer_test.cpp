// Automaton players: the file the player is saved to.
#include "players/AutomatonPlayer.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

#include <QDir>

// The name without its blanks, with ".PLY" and cut to 50 characters, names record and file
// in the folder the caller gives; without a folder nothing is written.
TEST(AutomatonPlayerTest, SavedUnderTheNameWithPlyCutToFiftyCharactersInTheGivenFolder) {
    TempRoot root;
    const QString r = root.root(), a46(46, 'a'), a48(48, 'a'), a50(50, 'a');
    for (const auto& [folder, name, result] :
         {std::tuple{r, QString(" Robo "), QString("Robo.PLY")},
          {r, a46, a46 + ".PLY"},
          {r, a48, a48 + ".P"},
          {r, a50 + "bbb", a50},
          {QString(), QString("Robo"),
           QString("Für den Automaten ist kein Zielordner angegeben.")}}) {
        AutomatonInput input;
        input.Name = name;
        input.Spielertyp = "0";
        QString got;
        try {
            got = SaveAutomatonPlayer(folder, input).Dateiname.get();
            EXPECT_TRUE(QDir(r).entryList().contains(got)) << got.toStdString();
        } catch (const WendrakError& e) {
            got = e.message();
        }
        EXPECT_EQ(got, result);
    }
}
