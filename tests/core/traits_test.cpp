// Player traits and type number: the statement rules one by one, the type grid, the three
// automata known by name, the file round trip and the display rule for "k.A.".
#include "players/uPelkam2Wendrak.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A profile of ten cases per situation that plays K in `base` of them everywhere, with
// some situations changed to other K counts.
SpielerTyp profile(int base, const std::vector<std::pair<int, int>>& changes = {}) {
    SpielerTyp p = zeroedPlayer();
    for (auto& s : p.Situationen)
        s = {10, base, 10 - base};
    for (auto [s, k] : changes)
        p.Situationen[s] = {10, k, 10 - k};
    return p;
}

// Konsens, Friedlich, GreiftNichtAn, VerteidigtSicher, Angreifen, Ausbeuten, Ueberreaktionen.
std::string statements(const SpielerTyp& p) {
    return (p.IstKonsensorientiert.get() + " " + p.IstFriedlich.get() + " " +
            p.GreiftNichtAn.get() + " " + p.VerteidigtSicher.get() + " " +
            p.NeigtZumAngreifen.get() + " " + p.NeigtZumAusbeuten.get() + " " +
            p.NeigtZuUeberreaktionen.get())
        .toStdString();
}

struct RuleCase {
    const char* what;
    int base;
    std::vector<std::pair<int, int>> changes; // situation, K cases of ten
    const char* expected;                     // statements()
    int type;
};

class TraitRules : public ::testing::TestWithParam<RuleCase> {};

} // namespace

TEST_P(TraitRules, StatementsAndType) {
    const RuleCase& c = GetParam();
    SpielerTyp p = profile(c.base, c.changes);
    DeriveRecordTraits(p);
    EXPECT_EQ(statements(p), c.expected) << c.what;
    EXPECT_EQ(p.Spielertyp, c.type) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TraitRules,
    ::testing::Values(
        RuleCase{"immer K", 10, {}, "Ja Ja Ja Nein Nein Nein Nein", 6},
        RuleCase{"immer D", 0, {}, "Nein Nein Nein Ja Ja Ja Nein", 1},
        // Tit for tat accepts being paid back (PDK); answering that with D is an attack.
        RuleCase{"wie du mir, so ich dir",
                 10,
                 {{SitMDD, 0}, {SitMDK, 0}, {SitNDD, 0}, {SitNDK, 0}, {SitPDD, 0}},
                 "Ja Ja Ja Ja Nein Nein Nein",
                 5},
        RuleCase{"wie du mir, so ich dir, auch in PDK",
                 10,
                 {{SitMDD, 0}, {SitMDK, 0}, {SitNDD, 0}, {SitNDK, 0}, {SitPDD, 0}, {SitPDK, 0}},
                 "Ja Nein Nein Ja Ja Nein Nein",
                 3},
        // Unprovoked D: on the first move or after mutual giving way.
        RuleCase{"D am ersten Tag", 10, {{SitErsterTag, 9}}, "Nein Nein Nein Nein Ja Nein Nein", 2},
        RuleCase{"D nach KK", 10, {{SitNKK, 9}}, "Nein Nein Nein Nein Ja Nein Nein", 2},
        // D only in MKD or PDK: an attack, but only after one: type 3 or 4.
        RuleCase{"D nur in MKD", 10, {{SitMKD, 5}}, "Ja Nein Nein Nein Ja Nein Nein", 4},
        RuleCase{"D nur in PDK", 10, {{SitPDK, 5}}, "Ja Nein Nein Nein Ja Nein Nein", 4},
        RuleCase{"MKD und sichere Abwehr",
                 10,
                 {{SitMKD, 5}, {SitNDK, 0}, {SitMDD, 0}},
                 "Ja Nein Nein Ja Ja Nein Ja",
                 3},
        // Secure defence: any one of the three K sums being zero is enough.
        RuleCase{"nie K in NDK und MDD",
                 10,
                 {{SitNDK, 0}, {SitMDD, 0}},
                 "Ja Ja Ja Ja Nein Nein Nein",
                 5},
        RuleCase{"nie K in NDD, PDK, erster Tag",
                 10,
                 {{SitNDD, 0}, {SitPDK, 0}, {SitErsterTag, 0}},
                 "Nein Nein Nein Ja Ja Nein Nein",
                 1},
        RuleCase{"nie K in NDD, NKD, PDD, PKD, erster Tag",
                 10,
                 {{SitNDD, 0}, {SitNKD, 0}, {SitPDD, 0}, {SitPKD, 0}, {SitErsterTag, 0}},
                 "Nein Nein Nein Ja Ja Ja Nein",
                 1},
        // Exploiting needs an attack and a D after the other's K in NKD or PKK.
        RuleCase{"D in NKD ohne Angriff", 10, {{SitNKD, 0}}, "Ja Ja Ja Nein Nein Nein Nein", 6},
        RuleCase{"D in NKD mit Angriff",
                 10,
                 {{SitNKD, 0}, {SitMKD, 9}},
                 "Ja Nein Nein Nein Ja Ja Nein",
                 4},
        RuleCase{"D in PKK mit Angriff",
                 10,
                 {{SitPKK, 9}, {SitPDK, 9}},
                 "Ja Nein Nein Nein Ja Ja Nein",
                 4},
        // Over-reaction: D after the other's D in NDK, MKK or MDK plus D in MKD, while
        // the player still gives way in both answer sums.
        RuleCase{
            "Überreaktion NDK", 10, {{SitNDK, 9}, {SitMKD, 9}}, "Ja Nein Nein Nein Ja Nein Ja", 4},
        RuleCase{
            "Überreaktion MKK", 10, {{SitMKK, 9}, {SitMKD, 9}}, "Ja Nein Nein Nein Ja Nein Ja", 4},
        RuleCase{
            "Überreaktion MDK", 10, {{SitMDK, 9}, {SitMKD, 9}}, "Ja Nein Nein Nein Ja Nein Ja", 4},
        RuleCase{"ohne D in MKD keine Überreaktion",
                 10,
                 {{SitMDK, 0}},
                 "Ja Ja Ja Nein Nein Nein Nein",
                 6},
        RuleCase{"Antwortsummen null: keine Überreaktion",
                 10,
                 {{SitMDK, 0}, {SitMKD, 0}, {SitNDD, 0}, {SitPDK, 0}, {SitErsterTag, 0}},
                 "Nein Nein Nein Ja Ja Nein Nein",
                 1}));

TEST(Traits, CasesCountAndNotTheNumberOfCases) {
    // A converted player has four cases on the first day: only k and d are judged.
    SpielerTyp p = profile(10);
    p.Situationen[SitErsterTag] = {4, 3, 1};
    DeriveRecordTraits(p);
    EXPECT_EQ(p.Spielertyp, 2);
    p.Situationen[SitErsterTag] = {0, 4, 0};
    DeriveRecordTraits(p);
    EXPECT_EQ(p.Spielertyp, 6);
}

TEST(Traits, HugeCountsOfADamagedFileDoNotOverflow) {
    SpielerTyp p = profile(10);
    for (auto& s : p.Situationen)
        s = {10, 0x7fffffff, 0x7fffffff};
    DeriveRecordTraits(p);
    EXPECT_EQ(statements(p), "Nein Nein Nein Nein Ja Ja Ja");
    EXPECT_EQ(p.Spielertyp, 2);
}

TEST(Traits, ProfileChangesOnlyTheStatementsAndTheType) {
    SpielerTyp p;
    auto* bytes = reinterpret_cast<unsigned char*>(&p);
    for (size_t i = 0; i < sizeof p; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    p.IstAutomat = 0;
    for (auto& s : p.Situationen)
        s = {10, 10, 0};
    p.GeschaeftsmaessigAusbeutbar.set("k.A.");
    const SpielerTyp before = p;
    DeriveRecordTraits(p);

    const auto* a = reinterpret_cast<const unsigned char*>(&before);
    for (size_t i = 0; i < sizeof p; ++i) {
        const bool traitField =
            (i >= 744 && i < 774) || (i >= 828 && i < 832) || (i >= 856 && i < 1112);
        if (!traitField) {
            ASSERT_EQ(a[i], bytes[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), "k.A.");
}

TEST(Traits, KnownAutomataAreJudgedByTheStartOfTheirName) {
    struct Row {
        const char* name;
        int type; // 0: keeps what was stored
        const char* statements;
    };
    const Row rows[] = {
        {"Typ5 Yoka", 5, "Ja Ja Ja Ja Nein Nein Nein"},
        {"TYP5 YOKA der Zweite", 5, "Ja Ja Ja Ja Nein Nein Nein"},
        {"Graf", 3, "Ja Nein Nein Ja Ja Ja Ja"},
        {"grafenzug", 3, "Ja Nein Nein Ja Ja Ja Ja"},
        {"Unterwerfer 3 Tribut", 1, "Nein Nein Nein Ja Ja Ja Nein"},
        {"TYP5YOKA", 0, ""}, // without the blank
        {"Gra", 0, ""},      // shorter than the pattern
        {"Der Graf", 0, ""},
        {"Eck", 0, ""},
    };
    for (const Row& r : rows) {
        SpielerTyp p = profile(10); // an automaton's profile plays no part
        p.IstAutomat = 1;
        p.Name.set(r.name);
        p.Spielertyp = 4;
        for (auto* f : {&p.IstFriedlich, &p.GreiftNichtAn, &p.VerteidigtSicher,
                        &p.NeigtZumAngreifen, &p.NeigtZumAusbeuten, &p.NeigtZuUeberreaktionen})
            f->set("k.A.");
        p.IstKonsensorientiert.set("k.A.");
        p.GeschaeftsmaessigAusbeutbar.set("k.A.");
        DeriveRecordTraits(p);
        if (r.type == 0) {
            EXPECT_EQ(p.Spielertyp, 4) << r.name;
            EXPECT_EQ(statements(p), "k.A. k.A. k.A. k.A. k.A. k.A. k.A.") << r.name;
            EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), "k.A.") << r.name;
        } else {
            EXPECT_EQ(p.Spielertyp, r.type) << r.name;
            EXPECT_EQ(statements(p), r.statements) << r.name;
            EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), "Nein") << r.name;
        }
    }
}

TEST(TraitsFile, DerivingRewritesTheFileWithTheTraits) {
    TempRoot root;
    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    SpielerTyp p = profile(10);
    p.Name.set("Anna");
    p.ErgebnisGegenD = 17;
    writePlayerFile(path, p);
    DerivePlayerTraits(path);
    const SpielerTyp q = readPlayerFile(path);
    EXPECT_EQ(q.Spielertyp, 6);
    EXPECT_EQ(statements(q), "Ja Ja Ja Nein Nein Nein Nein");
    EXPECT_EQ(q.ErgebnisGegenD, 17);
}

TEST(TraitsFile, MissingShortOrReadOnlyPlayerFileIsLeftAsItIs) {
    TempRoot root;
    const QString missing = root.programFolder() + "SpielerStamm/Fehlt.ply";
    EXPECT_THROW(DerivePlayerTraits(missing), WendrakError);
    EXPECT_FALSE(QFile::exists(missing));

    const QString shortFile = root.write("Wendrak/SpielerStamm/Kurz.ply", QByteArray(100, 'x'));
    EXPECT_THROW(DerivePlayerTraits(shortFile), WendrakError);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), QByteArray(100, 'x'));

    // A ".plx" player is never rewritten.
    const QString plx = root.programFolder() + "SpielerStamm/Vorlage.PLX";
    writePlayerFile(plx, profile(10));
    const QByteArray before = root.read("Wendrak/SpielerStamm/Vorlage.PLX");
    DerivePlayerTraits(plx);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Vorlage.PLX"), before);
}

TEST(DisplayRule, NoAnswerReadsNoForASecureDefender) {
    struct Row {
        const char* stored;
        const char* verteidigt;
        const char* shown;
    };
    const Row rows[] = {
        {"k.A.", "Ja", "Nein"}, {"k.A.", "Nein", "k.A."}, {"k.A.", "k.A.", "k.A."},
        {"Ja", "Ja", "Ja"},     {"Nein", "Nein", "Nein"}, {"K.a.", "Ja", "K.a."},
    };
    for (const Row& r : rows) {
        SpielerTyp p = zeroedPlayer();
        p.GeschaeftsmaessigAusbeutbar.set(r.stored);
        p.VerteidigtSicher.set(r.verteidigt);
        EXPECT_EQ(DisplayedGeschaeftsmaessigAusbeutbar(p).toStdString(), r.shown)
            << r.stored << " / " << r.verteidigt;
        EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), r.stored); // shown only
    }
}
