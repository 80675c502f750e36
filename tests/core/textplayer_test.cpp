// The player file of a text player lies beside it, its extension replaced by ".PLY",
// whatever the dots in its folders and the length of its path.
#include "players/TextPlayer.h"

#include <gtest/gtest.h>

TEST(TextPlayerTest, OutputIsTheInputWithItsExtensionReplaced) {
    const QString deep = "/home/lehrer/" + QString(60, 'x') + "/Spieler.txt";
    for (const auto& [input, output] :
         {std::pair<QString, QString>{"/daten/Spieler.txt", "/daten/Spieler.PLY"},
          {"/daten/v1.2/Spieler", "/daten/v1.2/Spieler.PLY"},
          {"/daten/Anna.Maria.text", "/daten/Anna.Maria.PLY"},
          {"C:\\Import\\Spieler.txt", "C:/Import/Spieler.PLY"},
          {deep, deep.left(deep.size() - 4) + ".PLY"}})
        EXPECT_EQ(TextPlayerOutputPath(input), output) << input.toStdString();
}
