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
#include <vector>

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

std::tuple<int, int, int> entry(const SpielerTyp& p, int s) {
    return {p.Situationen[s].Anzahl, p.Situationen[s].AnzahlK, p.Situationen[s].AnzahlD};
}

const auto noQuestion = [](const QString& path) {
    ADD_FAILURE() << "asked to replace " << qPrintable(path);
    return false;
};

} // namespace

TEST(Pelkam, RecordBecomesAConvertedPlayerOfTheStore) {
    TempRoot root;
    PelkamSpielerTyp p = sibling(QString(60, 'n')); // longer than the record's name field
    p.Paare[6] = {2, 5};                            // NDK
    p.Paare[9] = {0, 0};                            // PKD
    const QString source = root.write("Wendrak/PelkamSpieler/L.TP0", PelkamRecordBytes(p));

    const QString path = ConvertPelkamPlayer(source, root.programFolder(), noQuestion);
    // The file keeps the whole name; the settings' separator is not doubled on disk.
    EXPECT_EQ(path, root.programFolder() + "SpielerStamm/" + QString(60, 'n') + ".PLY");
    const SpielerTyp s = readPlayerFile(path);
    EXPECT_TRUE(s.Herkunft == 1 && s.Name.get() == QString(50, 'n'));
    EXPECT_EQ(s.Dateiname.get(), // in the form the program has always stored
              (root.programFolder() + "\\SpielerStamm\\" + QString(60, 'n')).left(50));
    // x = 1 on the first day; (2, 5) at NDK; (0, 0) at PKD; pairs 0, 3 and 11 placed.
    const std::vector<std::tuple<int, int, int>> want = {{4, 3, 1}, {7, 2, 5},  {0, 0, 0},
                                                         {2, 1, 1}, {11, 4, 7}, {35, 12, 23}};
    EXPECT_EQ(std::vector({entry(s, SitErsterTag), entry(s, SitNDK), entry(s, SitPKD),
                           entry(s, SitMKK), entry(s, SitMDD), entry(s, SitPDD)}),
              want);
    EXPECT_TRUE(s.Spielertyp != 0 && s.MasseGueltig == 0); // traits derived, not measured
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

// The record keeps the name as it stands, the file gets a usable one. A converted player of
// that file name is replaced; a player the user made only when the user agrees.
TEST(Pelkam, UnusableNameIsMadeSafeAndOnlyOwnPlayersAreReplacedOnRequest) {
    TempRoot root;
    const QString source =
        root.write("Wendrak/PelkamSpieler/a.TP0", PelkamRecordBytes(sibling(" Anna/Berta ")));
    const QString target = root.programFolder() + "SpielerStamm/Anna_Berta.PLY";
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), noQuestion), target);
    EXPECT_EQ(readPlayerFile(target).Name.get(), " Anna/Berta ");
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), noQuestion), target);

    SpielerTyp own = zeroedPlayer(); // Herkunft 0
    own.Name.set("Eigene Anna");
    writePlayerFile(target, own);
    int asked = 0;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const QString&) { return ++asked, yes; };
    };
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), answer(false)), QString());
    EXPECT_EQ(readPlayerFile(target).Name.get(), "Eigene Anna");
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), answer(true)), target);
    EXPECT_TRUE(readPlayerFile(target).Herkunft == 1 && asked == 2);
}

// The take-over: the empty situations NDK, NKK and PKK are asked after the introduction and
// stored as ten cases; only a completed player leaves the export folder (unless kept) and
// gets its traits again and three measures (no peacefulness). Stopping, or keeping the
// store's own player, leaves the ".TP0" file and writes no answer.
TEST(Pelkam, TakeOverAsksTheEmptySituationsAndOnlyACompletedPlayerLeavesTheExportFolder) {
    // Holds out everywhere after giving way on the first day, so the measures are exact.
    PelkamSpielerTyp mara = sibling("Mara");
    mara.x = 0;
    for (int m = 0; m < 12; ++m) {
        const int s = PelkamSituation(m);
        mara.Paare[m] = s == SitNDK || s == SitNKK || s == SitPKK ? PelkamSpielerTyp::Paar{0, 0}
                                                                  : PelkamSpielerTyp::Paar{0, 6};
    }
    struct Row {
        std::vector<int> answers; // to the introduction, then NDK, NKK, PKK
        bool keepSource, ownPlayerKept;
        QStringList entries; // NDK, NKK, PKK as "cases/K/D"
        bool completed, sourceStays;
    };
    const QStringList gaps = {"0/0/0", "0/0/0", "0/0/0"};
    const Row rows[] = {
        {{-1, 0, 0, 5}, false, false, {"10/0/10", "10/0/10", "10/5/5"}, true, false},
        {{-1, 10, 10, 0}, true, false, {"10/10/0", "10/10/0", "10/0/10"}, true, true},
        {{-1, 5, 0, -1}, false, false, gaps, false, true},
        {{}, false, true, {}, false, true},
    };
    for (const Row& row : rows) {
        TempRoot root;
        const QString exportFolder = root.programFolder() + "PelkamSpieler/";
        const QByteArray bytes = PelkamRecordBytes(mara);
        TempRoot::writeFile(exportFolder + "mara.tp0", bytes);
        const QString store = root.programFolder() + "SpielerStamm/Mara.PLY";
        if (row.ownPlayerKept)
            writePlayerFile(store, zeroedPlayer());
        QStringList pages;
        std::vector<int> answers = row.answers;
        const SiblingImportResult taken = ImportSiblingPlayer(
            {exportFolder, "mara.tp0", root.programFolder(), row.keepSource, true},
            [&](const QString&) { return !row.ownPlayerKept; },
            [&](const QString& page) {
                pages << page;
                const int answer = answers.front();
                answers.erase(answers.begin());
                return answer;
            });
        const auto what = QString("answers %1 kept %2").arg(row.answers.size()).arg(row.keepSource);
        EXPECT_EQ(root.read("Wendrak/PelkamSpieler/mara.tp0"), row.sourceStays ? bytes : "")
            << what.toStdString();
        EXPECT_EQ(taken.completed, row.completed) << what.toStdString();
        if (row.ownPlayerKept) {
            EXPECT_TRUE(taken.player.isEmpty() && pages.isEmpty());
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/Mara.PLY"), QByteArray(2400, '\0'));
            continue;
        }
        EXPECT_EQ(taken.player, store);
        const SpielerTyp p = readPlayerFile(store);
        QStringList entries;
        for (int s : {SitNDK, SitNKK, SitPKK})
            entries << QString("%1/%2/%3")
                           .arg(p.Situationen[s].Anzahl)
                           .arg(p.Situationen[s].AnzahlK)
                           .arg(p.Situationen[s].AnzahlD);
        EXPECT_EQ(entries, row.entries) << what.toStdString();
        if (row.completed && !row.keepSource) {
            EXPECT_EQ(pages,
                      QStringList({"Vervollst.html", "ASKNDK.rtf", "ASKNKK.rtf", "ASKPKK.rtf"}));
            // Holding out after mutual giving way: no longer consensus-minded.
            EXPECT_EQ(
                (p.IstKonsensorientiert.get() + p.GeschaeftsmaessigAusbeutbar.get()).toStdString(),
                "NeinNein");
            EXPECT_EQ(std::vector({p.ErgebnisGegenD, p.ErgebnisNachEntgegenkommen, p.ErgebnisGegenK,
                                   p.Friedfertigkeit}),
                      std::vector({999, 1000, 4998, 0}));
        } else if (!row.completed) {
            EXPECT_EQ(p.ErgebnisGegenD + p.ErgebnisGegenK, 0);
        }
    }
}
