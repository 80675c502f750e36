// Automaton players: each editor field in its own record field and back, texts that
// Windows-1252 cannot hold refused by field, and the file the player is saved to.
#include "players/AutomatonPlayer.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

// The editor's texts, each with the label that names it.
const std::pair<QString AutomatonInput::*, const char*> kTexts[] = {
    {&AutomatonInput::Name, "Name"},
    {&AutomatonInput::Alter, "Alter"},
    {&AutomatonInput::Geschlecht, "Geschlecht"},
    {&AutomatonInput::Nationalitaet, "Nationalität"},
    {&AutomatonInput::Motto, "Motto"},
    {&AutomatonInput::IstKonsensorientiert, "Ist konsenorientiert"},
    {&AutomatonInput::IstFriedlich, "Ist friedlich"},
    {&AutomatonInput::VerteidigtSicher, "Verteidigt sich sicher"},
    {&AutomatonInput::GeschaeftsmaessigAusbeutbar, "Ist geschäftsmäßig ausbeutbar"},
    {&AutomatonInput::NeigtZumAngreifen, "Zeigt eine Neigung zum Angreifen"},
    {&AutomatonInput::NeigtZumAusbeuten, "Zeigt eine N. zum Ausbeuten"},
    {&AutomatonInput::NeigtZuUeberreaktionen, "Zeigt eine N. zu Überreaktionen"},
};

} // namespace

TEST(AutomatonPlayerTest, EachFieldGoesToItsOwnRecordFieldAndBackAndMustFitWindows1252) {
    AutomatonInput in; // every text and every move its own value
    for (size_t i = 0; i < std::size(kTexts); ++i)
        in.*kTexts[i].first = QString(QChar('a' + int(i)));
    in.Spielertyp = "5";
    for (int s = 0; s < SituationCount; ++s)
        for (int m = 0; m < 3; ++m)
            in.Zuege[size_t(s)][size_t(m)] = s * 3 + m;
    const SpielerTyp p = BuildAutomatonPlayer(in);
    EXPECT_EQ(p.Name.get() + p.Alter.get() + p.Geschlecht.get() + p.Nationalitaet.get() +
                  p.Motto.get() + p.IstKonsensorientiert.get() + p.IstFriedlich.get() +
                  p.VerteidigtSicher.get() + p.GeschaeftsmaessigAusbeutbar.get() +
                  p.NeigtZumAngreifen.get() + p.NeigtZumAusbeuten.get() +
                  p.NeigtZuUeberreaktionen.get() + "|" + QString::number(p.Spielertyp),
              "abcdefghijkl|5");
    for (int s = 0; s < SituationCount; ++s)
        EXPECT_EQ(QString("%1 %2 %3 %4")
                      .arg(p.Automat[s].Position)
                      .arg(p.Automat[s].zug(1))
                      .arg(p.Automat[s].zug(2))
                      .arg(p.Automat[s].zug(3)),
                  QString("0 %1 %2 %3").arg(s * 3).arg(s * 3 + 1).arg(s * 3 + 2));

    const AutomatonInput back = AutomatonInputOf(p);
    for (const auto& [member, label] : kTexts)
        EXPECT_EQ(back.*member, in.*member) << label;
    EXPECT_EQ(back.Spielertyp, "5");
    EXPECT_EQ(back.Zuege, in.Zuege);

    for (const auto& [member, label] : kTexts) {
        AutomatonInput bad = in;
        bad.*member = "Łukasz";
        try {
            BuildAutomatonPlayer(bad);
            ADD_FAILURE() << label;
        } catch (const WendrakError& e) {
            EXPECT_EQ(e.message(), QString("Das Feld „%1“ enthält Zeichen, die nicht gespeichert "
                                           "werden können. Erlaubt sind nur Zeichen des "
                                           "Windows-Zeichensatzes (Windows-1252). Der Automat "
                                           "wurde nicht gespeichert.")
                                       .arg(label));
        }
    }
}

// The name without its blanks, with ".PLY" and cut to 50 characters, names record and file
// in the folder the caller gives; without a folder nothing is written.
TEST(AutomatonPlayerTest, SavedUnderTheNameWithPlyCutToFiftyCharactersInTheGivenFolder) {
    TempRoot root;
    for (const auto& [name, fileName] : {std::pair{QString(" Robo "), QString("Robo.PLY")},
                                         {QString(46, 'a'), QString(46, 'a') + ".PLY"},
                                         {QString(48, 'a'), QString(48, 'a') + ".P"},
                                         {QString(50, 'a'), QString(50, 'a')},
                                         {QString(60, 'a'), QString(50, 'a')}}) {
        AutomatonInput input;
        input.Name = name;
        input.Spielertyp = "0";
        EXPECT_EQ(SaveAutomatonPlayer(root.root(), input).Dateiname.get(), fileName);
        EXPECT_TRUE(QDir(root.root()).entryList().contains(fileName)) << fileName.toStdString();
    }
    AutomatonInput input;
    input.Name = "Robo";
    input.Spielertyp = "0";
    try {
        SaveAutomatonPlayer("", input);
        ADD_FAILURE();
    } catch (const WendrakError& e) {
        EXPECT_EQ(e.message(), "Für den Automaten ist kein Zielordner angegeben.");
    }
}
