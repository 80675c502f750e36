// Players of the sibling program: the conversion of a ".TP0" record, files refused without
// changing anything, names that cannot be file names, and replacing a player of the same
// name.
#include "players/uPelkam2Wendrak.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"
#include "shell/SiblingImport.h"

#include <QDir>
#include <QtEndian>
#include <gmock/gmock.h>

#include <tuple>

using testing::AllOf, testing::HasSubstr, testing::ThrowsMessage;

namespace {

// A sibling player whose pair m holds K m+1 and D 2m+1, so every pair is told apart.
PelkamSpielerTyp sibling(const QString& name) {
    PelkamSpielerTyp p;
    p.Name = name;
    p.x = 1;
    for (int m = 0; m < 12; ++m)
        p.Paare[m] = {m + 1, 2 * m + 1};
    return p;
}

// A situation's counts as "cases/K/D".
QString entry(const SpielerTyp& p, int s) {
    const SituationTyp& e = p.Situationen[s];
    return QString("%1/%2/%3").arg(e.Anzahl).arg(e.AnzahlK).arg(e.AnzahlD);
}

const auto noQuestion = [](const QString& path) {
    ADD_FAILURE() << "asked to replace " << qPrintable(path);
    return false;
};

} // namespace

// The record keeps the name as it stands, the file gets a usable one. A converted player of
// that file name is replaced without a question (a player the user made: below).
TEST(Pelkam, RecordBecomesAConvertedPlayerOfTheStoreUnderAUsableName) {
    TempRoot root;
    const QString n = QString(49, 'n');
    PelkamSpielerTyp p = sibling(" " + n + "/Berta "); // longer than the record's name field
    p.Paare[6] = {2, 5}, p.Paare[9] = {0, 0};          // NDK, PKD
    const QString source = root.write("Wendrak/PelkamSpieler/L.TP0", PelkamRecordBytes(p));

    const QString path = ConvertPelkamPlayer(source, root.programFolder(), noQuestion);
    // The file keeps the whole name; the settings' separator is not doubled on disk.
    EXPECT_EQ(path, root.programFolder() + "SpielerStamm/" + n + "_Berta.PLY");
    const SpielerTyp s = readPlayerFile(path);
    EXPECT_TRUE(s.Herkunft == 1 && s.Name.get() == " " + n);
    EXPECT_EQ(s.Dateiname.get(), // in the form the program has always stored
              (root.programFolder() + "\\SpielerStamm\\" + n + "_Berta").left(50));
    // x = 1 on the first day; (2, 5) at NDK; (0, 0) at PKD; pairs 0, 3 and 11 placed.
    EXPECT_EQ(QStringList({entry(s, SitErsterTag), entry(s, SitNDK), entry(s, SitPKD),
                           entry(s, SitMKK), entry(s, SitMDD), entry(s, SitPDD)}),
              QStringList({"4/3/1", "7/2/5", "0/0/0", "2/1/1", "11/4/7", "35/12/23"}));
    EXPECT_TRUE(s.Spielertyp != 0 && s.MasseGueltig == 0); // traits derived, not measured
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), noQuestion), path);
}

TEST(Pelkam, FaultyFileIsRefusedWithAMessageNamingItAndNothingChanges) {
    const auto with = [](int offset, std::int32_t v) {
        QByteArray b = PelkamRecordBytes(sibling("Mia"));
        qToLittleEndian(v, b.data() + offset);
        return b;
    };
    const std::tuple<QByteArray, const char*> rows[] = {
        {PelkamRecordBytes(sibling("Mia")).left(7111), "zu kurz"},
        {with(5216, 5), "erste Zug"},
        {with(6044 + 12 * 3 + 4, -7), "MDD hat eine negative"},
        {with(6044 + 12 * 11, 0x7fffffff), "PDD hat zu viele"},
        {PelkamRecordBytes(sibling("   ")), "keinen Namen"},
    };
    for (const auto& [bytes, message] : rows) {
        TempRoot root;
        const QString source = root.write("Wendrak/PelkamSpieler/Kaputt.TP0", bytes);
        EXPECT_THAT(
            [&] { ConvertPelkamPlayer(source, root.programFolder(), noQuestion); },
            ThrowsMessage<WendrakError>(AllOf(HasSubstr("Kaputt.TP0"), HasSubstr(message))));
        EXPECT_TRUE(QDir(root.programFolder() + "SpielerStamm").isEmpty()) << message;
        EXPECT_EQ(root.read("Wendrak/PelkamSpieler/Kaputt.TP0"), bytes) << message;
    }
}

// The take-over: the empty situations NDK, NKK and PKK are asked after the introduction and
// stored as ten cases; only a completed player leaves the export folder (unless kept) and
// gets its traits again and three measures (no peacefulness). Stopping, or keeping the
// user's own player of that name (replaced only when the user agrees), leaves the ".TP0"
// file and writes no answer.
TEST(Pelkam, TakeOverAsksTheEmptySituationsAndOnlyACompletedPlayerLeavesTheExportFolder) {
    PelkamSpielerTyp mara = sibling("Mara"); // holds out after giving way on the first day
    mara.x = 0;
    for (int m = 0; m < 12; ++m)
        mara.Paare[m] = {0, QList{SitNDK, SitNKK, SitPKK}.contains(PelkamSituation(m)) ? 0 : 6};
    // The answers (to the introduction, then NDK, NKK, PKK), whether the source is kept and
    // whether the store holds the user's own Mara (1 kept, 2 replaced); then pages asked,
    // completed, source left, IstKonsensorientiert + GeschaeftsmaessigAusbeutbar + Name,
    // NDK NKK PKK, the measures against D, after giving way, against K, and the peacefulness.
    const std::tuple<QList<int>, bool, int, QString> rows[] = {
        {{-1, 0, 0, 5}, false, 2, "4 1 0 NeinNeinMara 10/0/10 10/0/10 10/5/5 999 1000 4998 0"},
        {{-1, 10, 10, 0}, true, 0, "4 1 1 Jak.A.Mara 10/10/0 10/10/0 10/0/10 998 999 3000 0"},
        {{-1, 5, 0, -1}, false, 0, "4 0 1 JaMara 0/0/0 0/0/0 0/0/0 0 0 0 0"},
        {{}, false, 1, "0 0 1 Eigene"},
    };
    for (const auto& [answers, keepSource, own, want] : rows) {
        TempRoot root;
        const QString folder = root.programFolder() + "PelkamSpieler/";
        TempRoot::writeFile(folder + "mara.tp0", PelkamRecordBytes(mara));
        const QString store = root.programFolder() + "SpielerStamm/Mara.PLY";
        SpielerTyp eigene = zeroedPlayer();
        eigene.Name.set("Eigene");
        if (own != 0)
            writePlayerFile(store, eigene);
        QList<int> left = answers;
        int asked = 0;
        const SiblingImportResult taken = ImportSiblingPlayer(
            {folder, "mara.tp0", root.programFolder(), keepSource, true},
            [&](const QString&) { return ++asked, own == 2; },
            [&left](const QString&) { return left.takeFirst(); });
        EXPECT_EQ(taken.player, own == 1 ? "" : store);
        EXPECT_EQ(asked, own == 0 ? 0 : 1);
        const SpielerTyp p = readPlayerFile(store);
        QStringList got = {QString::number(answers.size() - left.size()),
                           QString::number(taken.completed),
                           QString::number(QFile::exists(folder + "mara.tp0"))};
        got << p.IstKonsensorientiert.get() + p.GeschaeftsmaessigAusbeutbar.get() + p.Name.get();
        if (p.Herkunft == 1) {
            for (int s : {SitNDK, SitNKK, SitPKK})
                got << entry(p, s);
            for (int n : {p.ErgebnisGegenD, p.ErgebnisNachEntgegenkommen, p.ErgebnisGegenK,
                          p.Friedfertigkeit})
                got << QString::number(n);
        }
        EXPECT_EQ(got.join(' ').toStdString(), want.toStdString());
    }
}

// An entry with cases but no K or D case is asked; one with a K case is not, whatever its
// number of cases.
TEST(Pelkam, CompletionAsksEveryEntryWithoutKOrDCases) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    for (SituationTyp& e : p.Situationen)
        e = {1, 1, 0};
    p.Situationen[SitMDK] = {5, 0, 0};
    p.Situationen[SitMKD] = {0, 3, 0};
    const QString path = root.programFolder() + "SpielerStamm/Halb.ply";
    writePlayerFile(path, p);
    QStringList pages;
    EXPECT_EQ(CompletePlayer(path, [&](const QString& page) { return pages << page, 5; }), 1);
    EXPECT_EQ(pages, QStringList({"Vervollst.html", "ASKMDK.rtf"}));
}
