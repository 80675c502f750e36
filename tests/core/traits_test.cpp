// Player traits and type number: the statement rules one by one, the type grid, the three
// automata known by name, the file round trip and the display rule for "k.A.".
#include "players/uPelkam2Wendrak.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <string>

namespace {

// A profile of ten cases per situation with K in `base` of them, changed by a list such as
// "MDD0 Tag9": situation code ("Tag" for the first move) and K cases of ten.
SpielerTyp profile(int base, const QString& changes = {}) {
    SpielerTyp p = zeroedPlayer();
    for (auto& s : p.Situationen)
        s = {10, base, 10 - base};
    for (const QString& change : changes.split(' ', Qt::SkipEmptyParts)) {
        const QString code = change.left(3);
        const int k = change.mid(3).toInt();
        int s = 0;
        while (s < SituationCount && code != (s == 0 ? "Tag" : situationCode(s)))
            ++s;
        EXPECT_LT(s, SituationCount) << qPrintable(change);
        if (s < SituationCount)
            p.Situationen[s] = {10, k, 10 - k};
    }
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

} // namespace

TEST(Traits, StatementsAndTypeFollowTheRules) {
    const struct {
        int base;
        const char* changes;
        const char* expected; // statements()
        int type;
    } rows[] = {{10, "", "Ja Ja Ja Nein Nein Nein Nein", 6},
                {0, "", "Nein Nein Nein Ja Ja Ja Nein", 1},
                // Tit for tat accepts being paid back (PDK); answering that with D is an attack.
                {10, "MDD0 MDK0 NDD0 NDK0 PDD0", "Ja Ja Ja Ja Nein Nein Nein", 5},
                {10, "MDD0 MDK0 NDD0 NDK0 PDD0 PDK0", "Ja Nein Nein Ja Ja Nein Nein", 3},
                // Unprovoked D: on the first move or after mutual giving way.
                {10, "Tag9", "Nein Nein Nein Nein Ja Nein Nein", 2},
                {10, "NKK9", "Nein Nein Nein Nein Ja Nein Nein", 2},
                // D only in MKD or PDK: an attack, but only after one: type 3 or 4.
                {10, "MKD5", "Ja Nein Nein Nein Ja Nein Nein", 4},
                {10, "PDK5", "Ja Nein Nein Nein Ja Nein Nein", 4},
                {10, "MKD5 NDK0 MDD0", "Ja Nein Nein Ja Ja Nein Ja", 3},
                // Secure defence: any one of the three K sums being zero is enough.
                {10, "NDK0 MDD0", "Ja Ja Ja Ja Nein Nein Nein", 5},
                {10, "NDD0 PDK0 Tag0", "Nein Nein Nein Ja Ja Nein Nein", 1},
                {10, "NDD0 NKD0 PDD0 PKD0 Tag0", "Nein Nein Nein Ja Ja Ja Nein", 1},
                // Exploiting needs an attack and a D after the other's K in NKD or PKK.
                {10, "NKD0", "Ja Ja Ja Nein Nein Nein Nein", 6},
                {10, "NKD0 MKD9", "Ja Nein Nein Nein Ja Ja Nein", 4},
                {10, "PKK9 PDK9", "Ja Nein Nein Nein Ja Ja Nein", 4},
                // Over-reaction: D after the other's D in NDK, MKK or MDK plus D in MKD, while the
                // player still gives way in both answer sums.
                {10, "NDK9 MKD9", "Ja Nein Nein Nein Ja Nein Ja", 4},
                {10, "MKK9 MKD9", "Ja Nein Nein Nein Ja Nein Ja", 4},
                {10, "MDK9 MKD9", "Ja Nein Nein Nein Ja Nein Ja", 4},
                {10, "MDK0", "Ja Ja Ja Nein Nein Nein Nein", 6},
                {10, "MDK0 MKD0 NDD0 PDK0 Tag0", "Nein Nein Nein Ja Ja Nein Nein", 1}};
    for (const auto& r : rows) {
        SpielerTyp p = profile(r.base, r.changes);
        DeriveRecordTraits(p);
        EXPECT_EQ(statements(p), r.expected) << r.base << " " << r.changes;
        EXPECT_EQ(p.Spielertyp, r.type) << r.base << " " << r.changes;
    }
}

TEST(Traits, CasesCountAndNotTheNumberOfCasesAndHugeCountsDoNotOverflow) {
    // A converted player has four cases on the first day: only k and d are judged.
    SpielerTyp p = profile(10);
    p.Situationen[SitErsterTag] = {4, 3, 1};
    DeriveRecordTraits(p);
    EXPECT_EQ(p.Spielertyp, 2);
    p.Situationen[SitErsterTag] = {0, 4, 0};
    DeriveRecordTraits(p);
    EXPECT_EQ(p.Spielertyp, 6);

    for (auto& s : p.Situationen) // a damaged file
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
        if (!((i >= 744 && i < 774) || (i >= 828 && i < 832) || (i >= 856 && i < 1112))) {
            ASSERT_EQ(a[i], bytes[i]) << "byte " << i;
        }
    }
}

TEST(Traits, KnownAutomataAreJudgedByTheStartOfTheirName) {
    const struct {
        const char* name;
        int type; // 0: keeps what was stored
        const char* statements;
    } rows[] = {// clang-format off
        {"Typ5 Yoka", 5, "Ja Ja Ja Ja Nein Nein Nein"},
        {"TYP5 YOKA der Zweite", 5, "Ja Ja Ja Ja Nein Nein Nein"},
        {"Graf", 3, "Ja Nein Nein Ja Ja Ja Ja"}, {"grafenzug", 3, "Ja Nein Nein Ja Ja Ja Ja"},
        {"Unterwerfer 3 Tribut", 1, "Nein Nein Nein Ja Ja Ja Nein"},
        // Without the blank, shorter than the pattern, not at the start, another automaton.
        {"TYP5YOKA", 0, ""}, {"Gra", 0, ""}, {"Der Graf", 0, ""}, {"Eck", 0, ""}};
    // clang-format on
    const char* noAnswers = "k.A. k.A. k.A. k.A. k.A. k.A. k.A.";
    for (const auto& r : rows) {
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
        const bool known = r.type != 0;
        EXPECT_EQ(p.Spielertyp, known ? r.type : 4) << r.name;
        EXPECT_EQ(statements(p), known ? r.statements : noAnswers) << r.name;
        EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), known ? "Nein" : "k.A.") << r.name;
    }
}

TEST(TraitsFile, DerivingRewritesAPlyFileAndLeavesMissingShortAndPlxFilesAsTheyAre) {
    TempRoot root;
    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    SpielerTyp p = profile(10);
    p.ErgebnisGegenD = 17;
    writePlayerFile(path, p);
    DerivePlayerTraits(path);
    const SpielerTyp q = readPlayerFile(path);
    EXPECT_EQ(q.Spielertyp, 6);
    EXPECT_EQ(statements(q), "Ja Ja Ja Nein Nein Nein Nein");
    EXPECT_EQ(q.ErgebnisGegenD, 17);

    const QString missing = root.programFolder() + "SpielerStamm/Fehlt.ply";
    EXPECT_THROW(DerivePlayerTraits(missing), WendrakError);
    EXPECT_FALSE(QFile::exists(missing));
    const QString shortFile = root.write("Wendrak/SpielerStamm/Kurz.ply", QByteArray(100, 'x'));
    EXPECT_THROW(DerivePlayerTraits(shortFile), WendrakError);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), QByteArray(100, 'x'));

    const QString plx = root.programFolder() + "SpielerStamm/Vorlage.PLX";
    writePlayerFile(plx, profile(10));
    const QByteArray before = root.read("Wendrak/SpielerStamm/Vorlage.PLX");
    DerivePlayerTraits(plx);
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Vorlage.PLX"), before);
}

TEST(DisplayRule, NoAnswerReadsNoForASecureDefender) {
    const struct {
        const char* stored;
        const char* verteidigt;
        const char* shown;
    } rows[] = {{"k.A.", "Ja", "Nein"}, {"k.A.", "Nein", "k.A."}, {"k.A.", "k.A.", "k.A."},
                {"Ja", "Ja", "Ja"},     {"Nein", "Nein", "Nein"}, {"K.a.", "Ja", "K.a."}};
    for (const auto& r : rows) {
        SpielerTyp p = zeroedPlayer();
        p.GeschaeftsmaessigAusbeutbar.set(r.stored);
        p.VerteidigtSicher.set(r.verteidigt);
        EXPECT_EQ(DisplayedGeschaeftsmaessigAusbeutbar(p).toStdString(), r.shown)
            << r.stored << " / " << r.verteidigt;
        EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), r.stored); // shown only
    }
}
