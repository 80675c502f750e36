// Players of the sibling program: the conversion of a ".TP0" record, files refused without
// changing anything, names that cannot be file names, and replacing a player of the same
// name.
#include "players/uPelkam2Wendrak.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

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
