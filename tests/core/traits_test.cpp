// Player traits and type number: the statement rules one by one, the type grid, the three
// automata known by name, read-only players and the display rule for "k.A.".
#include "players/uPelkam2Wendrak.h"

#include "TempRoot.h"

#include <QHash>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace {

// A profile of ten cases per situation, all K, changed by a list such as "MDD0 Tag3/1":
// situation code ("Tag" for the first move, "All" for every situation) and counts, "k"
// (K in k of ten cases) or "k/d" (no number of cases). Every other byte but IstAutomat is
// unlike its neighbours, as in a foreign file.
SpielerTyp profile(const QString& changes = {}) {
    SpielerTyp p = zeroedPlayer();
    auto* bytes = reinterpret_cast<unsigned char*>(&p);
    for (size_t i = 0; i < sizeof p; ++i)
        if (i < 123 || i >= 280)
            bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    for (const QString& change : ("All10 " + changes).split(' ', Qt::SkipEmptyParts)) {
        const QString code = change.left(3);
        const QStringList kd = change.mid(3).split('/');
        const int k = kd[0].toInt();
        int matched = 0;
        for (int s = 0; s < SituationCount; ++s) {
            if (code == "All" || code == (s == 0 ? "Tag" : situationCode(s))) {
                p.Situationen[s] =
                    kd.size() > 1 ? SituationTyp{0, k, kd[1].toInt()} : SituationTyp{10, k, 10 - k};
                ++matched;
            }
        }
        EXPECT_GT(matched, 0) << qPrintable(change);
    }
    return p;
}

// Konsens, Friedlich, GreiftNichtAn, VerteidigtSicher, Angreifen, Ausbeuten,
// Ueberreaktionen: "J" for "Ja", "N" for "Nein", "k" for "k.A.", anything else in <>.
std::string statements(const SpielerTyp& p) {
    static const QHash<QString, QString> letter{{"Ja", "J"}, {"Nein", "N"}, {"k.A.", "k"}};
    QString out;
    for (const QString& t :
         {p.IstKonsensorientiert.get(), p.IstFriedlich.get(), p.GreiftNichtAn.get(),
          p.VerteidigtSicher.get(), p.NeigtZumAngreifen.get(), p.NeigtZumAusbeuten.get(),
          p.NeigtZuUeberreaktionen.get()})
        out += letter.value(t, "<" + t + ">");
    return out.toStdString();
}

} // namespace

TEST(Traits, StatementsAndTypeFollowTheRulesAndNothingElseChanges) {
    // Changes to a profile of all K, statements(), type.
    const std::tuple<const char*, const char*, int> rows[] = {
        // clang-format off
        {"", "JJJNNNN", 6}, {"All0", "NNNJJJN", 1},
        // Tit for tat accepts being paid back (PDK); answering that with D is an attack.
        {"MDD0 MDK0 NDD0 NDK0 PDD0", "JJJJNNN", 5}, {"MDD0 MDK0 NDD0 NDK0 PDD0 PDK0", "JNNJJNN", 3},
        // Unprovoked D: on the first move or after mutual giving way. Counts of K and D are
        // judged, not the number of cases (a converted player has four on the first day).
        {"Tag9", "NNNNJNN", 2}, {"NKK9", "NNNNJNN", 2},
        {"Tag3/1", "NNNNJNN", 2}, {"Tag4/0", "JJJNNNN", 6},
        // D only in MKD or PDK: an attack, but only after one: type 3 or 4.
        {"MKD5", "JNNNJNN", 4}, {"PDK5", "JNNNJNN", 4}, {"MKD5 NDK0 MDD0", "JNNJJNJ", 3},
        // Secure defence: any one of the three K sums being zero is enough.
        {"NDK0 MDD0", "JJJJNNN", 5}, {"NDD0 PDK0 Tag0", "NNNJJNN", 1},
        {"NDD0 NKD0 PDD0 PKD0 Tag0", "NNNJJJN", 1},
        // Exploiting needs an attack and a D after the other's K in NKD or PKK.
        {"NKD0", "JJJNNNN", 6}, {"NKD0 MKD9", "JNNNJJN", 4}, {"PKK9 PDK9", "JNNNJJN", 4},
        // Over-reaction: D after a D in NDK, MKK or MDK and D in MKD, giving way in both sums.
        {"NDK9 MKD9", "JNNNJNJ", 4}, {"MKK9 MKD9", "JNNNJNJ", 4}, {"MDK9 MKD9", "JNNNJNJ", 4},
        {"MDK0", "JJJNNNN", 6}, {"MDK0 MKD0 NDD0 PDK0 Tag0", "NNNJJNN", 1},
        // A damaged file: huge counts must not overflow the sums.
        {"All2147483647/2147483647", "NNNNJJJ", 2}};
    // clang-format on
    for (const auto& [changes, expected, type] : rows) {
        SpielerTyp p = profile(changes), kept = p;
        DeriveRecordTraits(p);
        EXPECT_EQ(statements(p), expected) << changes;
        EXPECT_EQ(p.Spielertyp, type) << changes;
        // Only the statements and the type change.
        for (const auto& [from, to] : {std::pair{744, 774}, {828, 832}, {856, 1112}})
            std::memcpy(reinterpret_cast<char*>(&kept) + from, reinterpret_cast<char*>(&p) + from,
                        to - from);
        EXPECT_EQ(std::memcmp(&kept, &p, sizeof p), 0) << changes;
    }
}

TEST(Traits, KnownAutomataAreJudgedByTheStartOfTheirName) {
    // Name, type (0: the record stays as its author stored it), statements().
    const std::tuple<const char*, int, const char*> rows[] = {
        // clang-format off
        {"TYP5 YOKA der Zweite", 5, "JJJJNNN"}, {"grafenzug", 3, "JNNJJJJ"},
        {"Unterwerfer 3 Tribut", 1, "NNNJJJN"},
        // Without the blank, shorter than the pattern, not at the start, another automaton.
        {"TYP5YOKA", 0, ""}, {"Gra", 0, ""}, {"Der Graf", 0, ""}, {"Eck", 0, ""}};
    // clang-format on
    for (const auto& [name, type, expected] : rows) {
        SpielerTyp p = profile(); // an automaton's profile plays no part
        p.IstAutomat = 1;
        p.Name.set(name);
        const SpielerTyp before = p;
        DeriveRecordTraits(p);
        EXPECT_TRUE(type == 0 ? std::memcmp(&before, &p, sizeof p) == 0
                              : p.Spielertyp == type && statements(p) == expected &&
                                    p.GeschaeftsmaessigAusbeutbar == "Nein")
            << name;
    }
}

TEST(TraitsFile, ReadOnlyPlxPlayerIsNeverRewritten) {
    TempRoot root;
    const QString plx = root.programFolder() + "SpielerStamm/Vorlage.PLX";
    writePlayerFile(plx, profile());
    const QByteArray before = root.read("Wendrak/SpielerStamm/Vorlage.PLX");
    DerivePlayerTraits(plx);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Vorlage.PLX"), before);
}

TEST(DisplayRule, NoAnswerReadsNoForASecureDefender) {
    const std::tuple<const char*, const char*, const char*> rows[] = {// clang-format off
        {"k.A.", "Ja", "Nein"}, {"k.A.", "Nein", "k.A."},
        {"Ja", "Ja", "Ja"}, {"K.a.", "Ja", "K.a."}};
    // clang-format on
    for (const auto& [stored, verteidigt, shown] : rows) {
        SpielerTyp p = zeroedPlayer();
        p.GeschaeftsmaessigAusbeutbar.set(stored);
        p.VerteidigtSicher.set(verteidigt);
        EXPECT_EQ(DisplayedGeschaeftsmaessigAusbeutbar(p).toStdString(), shown) << stored;
    }
}
