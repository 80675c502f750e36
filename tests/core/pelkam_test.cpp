// Players of the sibling program: the conversion of a ".TP0" record, files that must be
// refused without changing anything, names that cannot be file names, replacing a player of
// the same name, the shipped samples, and completing the situations a player leaves empty.
#include "players/uPelkam2Wendrak.h"
#include "players/uSpielerVervollstaendigen.h"

#include "TempRoot.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

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

QString writeTp0(const TempRoot& root, const QString& file, const QByteArray& bytes) {
    return root.write("Wendrak/PelkamSpieler/" + file, bytes);
}

QString storeFolder(const TempRoot& root) {
    return root.programFolder() + "SpielerStamm/";
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
    const QString source = writeTp0(root, "Lang.TP0", PelkamRecordBytes(p));

    const QString path = ConvertPelkamPlayer(source, root.programFolder(), noQuestion);
    // The file keeps the whole name; the settings' separator is not doubled on disk.
    EXPECT_EQ(path, storeFolder(root) + QString(60, 'n') + ".PLY");
    const SpielerTyp s = readPlayerFile(path);
    EXPECT_TRUE(s.Herkunft == 1 && s.IstAutomat == 0 && s.Name.get() == QString(50, 'n'));
    EXPECT_EQ(s.Dateiname.get(), (root.programFolder() + "\\SpielerStamm\\" + QString(60, 'n'))
                                     .left(50)); // the form the program has always stored
    const auto entry = [&](int i) {
        const SituationTyp& e = s.Situationen[i];
        return std::tuple(e.Anzahl, e.AnzahlK, e.AnzahlD);
    };
    EXPECT_EQ(entry(SitErsterTag), std::tuple(4, 3, 1));
    EXPECT_EQ(entry(SitNDK), std::tuple(7, 2, 5));
    EXPECT_EQ(entry(SitPKD), std::tuple(0, 0, 0));
    EXPECT_EQ(entry(SitMKK), std::tuple(2, 1, 1));  // pair 0
    EXPECT_EQ(entry(SitMDD), std::tuple(11, 4, 7)); // pair 3
    EXPECT_EQ(entry(SitPDD), std::tuple(35, 12, 23));
    EXPECT_TRUE(s.Spielertyp != 0 && s.IstFriedlich.len != 0); // traits derived
    EXPECT_TRUE(s.Motto.len == 0 && s.ErgebnisGegenD == 0 && s.MasseGueltig == 0);
}

TEST(Pelkam, FaultyFileIsRefusedWithAMessageNamingItAndNothingChanges) {
    const auto with = [](auto change) {
        QByteArray b = PelkamRecordBytes(sibling("Mia"));
        change(b);
        return b;
    };
    const auto int32At = [](int offset, std::int32_t v) {
        return [=](QByteArray& b) { qToLittleEndian(v, b.data() + offset); };
    };
    const std::tuple<QByteArray, const char*> rows[] = {
        {PelkamRecordBytes(sibling("Mia")).left(7111), "zu kurz"},
        {QByteArray(), "zu kurz"},
        {with(int32At(5216, 5)), "erste Zug"},
        {with(int32At(5216, -1)), "erste Zug"},
        {with(int32At(6044 + 12 * 3 + 4, -7)), "MDD hat eine negative"},
        {with(int32At(6044 + 12 * 11, 0x7fffffff)), "PDD hat zu viele"},
        {PelkamRecordBytes(sibling("   ")), "keinen Namen"},
        {PelkamRecordBytes(sibling("")), "keinen Namen"},
    };
    for (const auto& [bytes, message] : rows) {
        TempRoot root;
        const QString source = writeTp0(root, "Kaputt.TP0", bytes);
        EXPECT_THAT([&] { ConvertPelkamPlayer(source, root.programFolder(), noQuestion); },
                    ThrowsMessage<WendrakError>(AllOf(HasSubstr("Kaputt.TP0"), HasSubstr(message))))
            << message;
        EXPECT_TRUE(QDir(storeFolder(root)).isEmpty()) << message;
        EXPECT_EQ(root.read("Wendrak/PelkamSpieler/Kaputt.TP0"), bytes) << message;
    }
}

// A name is taken as it stands into the record; the file gets a usable name. A converted
// player of that file name is replaced; a player the user made only when the user agrees.
TEST(Pelkam, UnusableNameIsMadeSafeAndOnlyOwnPlayersAreReplacedOnRequest) {
    TempRoot root;
    const QString source = writeTp0(root, "a.TP0", PelkamRecordBytes(sibling(" Anna/Berta ")));
    const QString target = storeFolder(root) + "Anna_Berta.PLY";
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), noQuestion), target);
    EXPECT_EQ(readPlayerFile(target).Name.get(), " Anna/Berta ");

    // Converted again (another record of that name): replaced without a question.
    PelkamSpielerTyp second = sibling("Anna\\Berta");
    second.x = 4;
    writeTp0(root, "a.TP0", PelkamRecordBytes(second));
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), noQuestion), target);
    EXPECT_EQ(readPlayerFile(target).Situationen[SitErsterTag].AnzahlD, 4);

    // A player of the user's own (Herkunft 0), in another letter case: asked first.
    SpielerTyp own = zeroedPlayer();
    own.Name.set("Eigene Anna");
    QFile::remove(target);
    writePlayerFile(storeFolder(root) + "anna_berta.ply", own);
    QStringList asked;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const QString& path) { return asked << path, yes; };
    };
    EXPECT_EQ(ConvertPelkamPlayer(source, root.programFolder(), answer(false)), QString());
    EXPECT_EQ(readPlayerFile(storeFolder(root) + "anna_berta.ply").Name.get(), "Eigene Anna");
    const QString replaced = ConvertPelkamPlayer(source, root.programFolder(), answer(true));
    EXPECT_EQ(replaced, storeFolder(root) + "anna_berta.ply");
    EXPECT_EQ(readPlayerFile(replaced).Herkunft, 1);
    EXPECT_EQ(asked, QStringList(2, storeFolder(root) + "anna_berta.ply"));
    EXPECT_EQ(QDir(storeFolder(root)).entryList(QDir::Files).size(), 1);
}

// The samples shipped for the export folder read cleanly, and at least one of them has
// situations left to complete.
TEST(Pelkam, ShippedSamplesAreSoundAndOneNeedsCompleting) {
    const QString folder = TempRoot::sourceData() + "pelkam/";
    const QStringList files = platform::listFolder(folder, "*.TP0");
    EXPECT_GE(files.size(), 2);
    bool empty = false;
    for (const QString& file : files)
        for (const auto& pair : ReadPelkamPlayer(folder + file).Paare)
            empty = empty || pair.K + pair.D == 0;
    EXPECT_TRUE(empty);
}

// ---------------------------------------------------------------------------------------
// Completing empty situations

namespace {

// A player file with these situations empty (k = d = 0), the others ten cases with K in
// 3; "NDK" gets 7 cases with neither K nor D, which counts as empty.
QString playerWithEmpty(const TempRoot& root, std::initializer_list<int> empty) {
    SpielerTyp p = zeroedPlayer();
    for (int s = 0; s < SituationCount; ++s)
        p.Situationen[s] = {10, 3, 7};
    p.Situationen[SitErsterTag] = {4, 0, 0}; // the first move is never asked
    p.Situationen[SitNKK] = {0, 0, 2};       // any D case: not empty, whatever its Anzahl
    for (int s : empty)
        p.Situationen[s] = {s == SitNDK ? 7 : 0, 0, 0};
    const QString path = root.programFolder() + "SpielerStamm/Lea.PLY";
    writePlayerFile(path, p);
    return path;
}

// Answers from a list in turn (-1 stops), recording the pages asked.
struct Answers {
    QList<int> given;
    QStringList pages;
    AskQuestionFn fn() {
        return [this](const QString& page) {
            pages << page;
            return page == CompletionIntroPage() ? -1 : given.takeFirst();
        };
    }
};

} // namespace

TEST(Completion, IntroOnceThenEveryEmptySituationIsAskedAndStoredAsTenCases) {
    TempRoot root;
    const QString path = playerWithEmpty(root, {SitMDD, SitNDK, SitPKK});
    Answers a{{0, 5, 10}, {}};
    EXPECT_EQ(CompletePlayer(path, a.fn()), 1);
    EXPECT_EQ(a.pages, QStringList({"Vervollst.html", "ASKMDD.rtf", "ASKNDK.rtf", "ASKPKK.rtf"}));
    const SpielerTyp p = readPlayerFile(path);
    const auto entry = [&](int i) {
        const SituationTyp& e = p.Situationen[i];
        return std::tuple(e.Anzahl, e.AnzahlK, e.AnzahlD);
    };
    EXPECT_EQ(entry(SitMDD), std::tuple(10, 0, 10));
    EXPECT_EQ(entry(SitNDK), std::tuple(10, 5, 5));
    EXPECT_EQ(entry(SitPKK), std::tuple(10, 10, 0));
    EXPECT_EQ(entry(SitNKK), std::tuple(0, 0, 2));
    EXPECT_EQ(entry(SitErsterTag), std::tuple(4, 0, 0));

    // Nothing left to ask: no page, the file rewritten as it was.
    const QByteArray before = root.read("Wendrak/SpielerStamm/Lea.PLY");
    Answers none;
    EXPECT_EQ(CompletePlayer(path, none.fn()), 1);
    EXPECT_TRUE(none.pages.isEmpty());
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Lea.PLY"), before);
}

TEST(Completion, StopOnTheThirdQuestionDropsEveryAnswer) {
    TempRoot root;
    const QString path = playerWithEmpty(root, {SitMDK, SitMKD, SitNDD, SitPDK});
    const QByteArray before = root.read("Wendrak/SpielerStamm/Lea.PLY");
    Answers a{{10, 5, -1}, {}};
    EXPECT_EQ(CompletePlayer(path, a.fn()), 0);
    EXPECT_EQ(a.pages.size(), 4); // the introduction and three questions
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Lea.PLY"), before);
}
