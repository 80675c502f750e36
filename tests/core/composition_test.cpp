// "Zusammensetzung.Txt": every line of a hand-worked group. Rounding and separators of the
// shares are those of the window's texts (figures test).
#include "FigureTestSupport.h"
#include "engine/Composition.h"
#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(Composition, FourPlayerGroupGivesTheseTwelveLines) {
    platform::setDecimalSeparator(u',');
    // Types 1, 3, 3 and an unknown automaton; properties counted from four players.
    // clang-format off
    const PropertyCounts c{.AnzKonsensorientiert = 3, .AnzFriedlich = 1, .AnzVerteidigtSicher = 4,
        .AnzNeigtZumAngreifen = 2, .AnzNeigtZuUeberreaktionen = 1,
        .AnzGeschaeftsmaessigAusbeutbar = 3, .SummeEntgegenkommenPromille = 1500};
    // clang-format on
    const QString t = "1. Zusammensetzung: der Gruppe nach Typen;",
                  e = "2. Zusammensetzung: der Gruppe nach Eigenschaften;;";
    const QStringList expected = {
        t + "F;;verteidigen sich sicher;Sind wiederholt ausbeutbar",
        t + ";neigen zum unprovozierten Angreifen;       25,0%;        0,0%",
        t + ";sind bedingt konsensorientiert;       50,0%;        0,0%",
        t + ";sind friedlich;        0,0%;        0,0%",
        e + "sind konsensorientiert:;75,0;",
        e + "sind friedlich:;25,0;",
        e + "neigen zum Angreifen:;50,0;",
        e + "neigen zum Ausbeuten:;0,0;",
        e + "neigen zu Überreaktionen:;25,0;",
        e + "verteidigen sich sicher:;100,0;",
        e + "sind geschäftsmäßig ausbeutbar:;75,0;",
        "3. Das kollektive Entgegenkommen gegenüber Angreifern;;Das gesamte, in der Gruppe "
        "vorhandene Entgegenkommen gegenüber Angreifern beträgt 1,50 bei einer Gruppengröße "
        "von 4 Teilnehmern..;",
    };
    EXPECT_EQ(CompositionLines(tallies({{1, 1}, {3, 2}}), c, 4), expected);

    // Type shares keep "," whatever the locale; the other figures follow it.
    platform::setDecimalSeparator(u'.');
    const QStringList dotted = CompositionLines(tallies({{1, 1}, {3, 2}}), c, 4);
    EXPECT_EQ(dotted[1], t + ";neigen zum unprovozierten Angreifen;       25,0%;        0,0%");
    EXPECT_EQ(dotted[4], e + "sind konsensorientiert:;75.0;");
    EXPECT_TRUE(dotted[11].contains("beträgt 1.50 bei")) << dotted[11].toStdString();
}

} // namespace
