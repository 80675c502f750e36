// Group files, the player categories, renewal of group files, the player index and loading
// a group into a game folder.
#include "players/uTGroup.h"

#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SpielerTyp player(const QString& name, int type = 0, const QString& fileName = QString()) {
    SpielerTyp p = zeroedPlayer();
    p.Name.set(name);
    p.Spielertyp = type;
    p.Dateiname.set(fileName.isEmpty() ? name + ".ply" : fileName);
    return p;
}

class GroupTest : public ::testing::Test {
protected:
    TempRoot root;
    TGroup group;

    QString store() const { return root.programFolder() + "SpielerStamm/"; }
    QString game() const { return root.programFolder() + "Aktuelles Spiel/"; }
    // Writes a player named after the file below the program folder.
    void addPlayer(const QString& relative) {
        const QString path = root.programFolder() + relative;
        QDir().mkpath(QFileInfo(path).path());
        writePlayerFile(path, player(QFileInfo(path).completeBaseName()));
    }
    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void makeReadOnly(const QString& path) const {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup);
    }
    // Loads the group file with these bytes from "Eigene Gruppen/G" into the game folder.
    QStringList loadGroup(const QByteArray& groupFile) {
        root.write("Wendrak/Eigene Gruppen/G/group.sgp", groupFile);
        return group.LoadGroupPlayers(store(), root.programFolder() + "Eigene Gruppen/G/group.sgp",
                                      game());
    }
};

TEST_F(GroupTest, ReadGroupFileMapsOldMemberNamesAndAMissingFileIsAnEmptyGroup) {
    const struct {
        const char* line;
        const char* expected;
    } rows[] = {// clang-format off
        {"Typ1_2.ply", "Typ1.ply"},   {"Anna_1.ply", "Anna1.ply"},  {"UJoch_1T.ply", "UJoch1T.ply"},
        {"Mein_Typ_3.ply", "Mein.ply"}, {"Typ_x.ply", "Typx.ply"},  {"Anna.ply", "Anna.ply"},
        {"yoka.ply", "TYP5YOKA.PLY"}, {"TYP5YOKA.PLY", "TYP5YOKA.PLY"},
        {"Tit4Tat.ply", "TYP5TIT4TAT.PLY"}, {"YokaTit4Tat.ply", "TYP5YOKA.PLY"}, {"", ""},
        {"J\xc3\xbcrgen.ply", "J\xc3\xbcrgen.ply"}};
    // clang-format on
    QByteArray file;
    for (const auto& row : rows)
        file += platform::toAnsi(QString::fromUtf8(row.line)) + "\r\n";
    root.write("Wendrak/Eigene Gruppen/Alt/group.sgp", file);

    const QStringList read = group.ReadGroupFile(root.programFolder() + "Eigene Gruppen\\Alt");
    ASSERT_EQ(read.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(read[i], QString::fromUtf8(rows[i].expected)) << rows[i].line;
    EXPECT_TRUE(group.ReadGroupFile(root.programFolder() + "Eigene Gruppen/Keine/").isEmpty());
}

TEST_F(GroupTest, SaveGroupFileCreatesFoldersAndWritesAnsiWithCrLf) {
    const QString path = root.programFolder() + "Eigene Gruppen\\Neu\\group.sgp";
    const QString written = root.programFolder() + "Eigene Gruppen/Neu/group.sgp";
    group.SaveGroupFile(path, {QString::fromUtf8("J\xc3\xbcrgen.ply"), "Anna.ply"});
    EXPECT_EQ(bytes(written), QByteArray("J\xfcrgen.ply\r\nAnna.ply\r\n"));
    group.SaveGroupFile(path, {"Bob.ply"});
    EXPECT_EQ(bytes(written), QByteArray("Bob.ply\r\n"));
}

TEST_F(GroupTest, ListOwnGroupsCreatesTheFolderAndListsEveryEntry) {
    QDir(root.programFolder()).removeRecursively();
    QDir().mkpath(root.programFolder());
    EXPECT_TRUE(group.ListOwnGroups(root.programFolder()).isEmpty());
    EXPECT_TRUE(QFileInfo(root.programFolder() + "Eigene Gruppen").isDir());

    QDir().mkpath(root.programFolder() + "Eigene Gruppen/zweite");
    QDir().mkpath(root.programFolder() + "Eigene Gruppen/Erste");
    root.write("Wendrak/Eigene Gruppen/notiz.txt", "x");
    EXPECT_EQ(group.ListOwnGroups(root.programFolder()),
              QStringList({"Erste", "notiz.txt", "zweite"}));
}

TEST_F(GroupTest, ListFilesRecursiveGivesFilesThenEachSubFolderAndEndsAtALinkBack) {
    for (const char* file : {"b.ply", "A.PLY", "Sub/c.ply", "Sub/Tief/d.ply", ".versteckt/e.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    root.write("Wendrak/SpielerStamm/bild.jpg", "x");
    ASSERT_TRUE(QFile::link(store(), store() + "Sub/Tief/zurueck"));

    QStringList list{"vorher"};
    group.ListFilesRecursive(store() + "*.ply", list);
    EXPECT_EQ(list,
              QStringList({"vorher", store() + "A.PLY", store() + "b.ply", "1" + store() + "Sub",
                           store() + "Sub/c.ply", "1" + store() + "Sub/Tief",
                           store() + "Sub/Tief/d.ply", "1" + store() + "Sub/Tief/zurueck"}));
}

TEST_F(GroupTest, RenewalWritesTopFreshAppendsToSubFoldersAndLeavesNoFileForNoPlayers) {
    root.write("Wendrak/SpielerStamm/group.sgp", "Alt.ply\r\n");
    group.RenewGroupFiles(store());
    EXPECT_FALSE(QFile::exists(store() + "group.sgp"));

    for (const char* file : {"Anna.ply", "Bob.ply", "Klasse/Carl.ply", "Klasse/Dora.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    QDir().mkpath(store() + "Leer");
    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), QByteArray("Anna.ply\r\nBob.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"), QByteArray("Carl.ply\r\nDora.ply\r\n"));
    EXPECT_FALSE(QFile::exists(store() + "Leer/group.sgp"));

    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), QByteArray("Anna.ply\r\nBob.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"),
              QByteArray("Carl.ply\r\nDora.ply\r\nCarl.ply\r\nDora.ply\r\n"));
}

TEST_F(GroupTest, PlayerCategoryFollowsTheNameTestsInOrder) {
    const struct {
        const char* name;
        int type;
        const char* fileName;
        const char* expected;
    } rows[] = {// clang-format off
        {"Graf", 0, "", "1"}, {"graf", 0, "", "1"}, {"Ra", 0, "", "1"}, {"Fuerst", 0, "", "1"},
        {"Ritter Kunibert", 0, "", "3"}, {"Typ2 Anna", 0, "", "2"}, {"ty", 0, "", "2"},
        {"Typ5", 0, "", "1"}, {"Hans", 5, "", "2"}, {"Angreifer", 5, "", "0"},
        {"Angreifer", 0, "", "0"}, {"Gecko", 0, "", "4"}, {"Eckangriff", 0, "", "4"},
        {"Graf", 0, "Graf.PLX", "9"}, {"Anna", 0, "Anna.plx", "9"}, {"Anna", 0, "", "3"},
        {"", 0, "", "3"}, {"C:\\Spieler\\Graf", 0, "", "1"}, {"Spieler:Ra", 0, "", "1"},
        {"Graf\\Anna", 0, "", "3"}};
    // clang-format on
    for (const auto& row : rows) {
        const SpielerTyp p = player(QString::fromUtf8(row.name), row.type,
                                    QString::fromUtf8(*row.fileName ? row.fileName : "x.ply"));
        EXPECT_EQ(group.GetPlayerCategory(p), QString::fromLatin1(row.expected))
            << row.name << " / " << row.type << " / " << row.fileName;
    }
}

TEST_F(GroupTest, PlayerIndexListsCategoryAndFileNameAndSavesXTxtAlsoWhenAFileIsShort) {
    EXPECT_TRUE(group.BuildPlayerIndex(store()).isEmpty());
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray());

    for (const char* file : {"Graf.ply", "Anna.ply", "Klasse/Typ3 Otto.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    QList<int> calls;
    const QStringList index = group.BuildPlayerIndex(
        store(), [&](int done, int total) { calls.append(done * 100 + total); });
    EXPECT_EQ(index, QStringList({"3Anna.ply", "1Graf.ply", "2Typ3 Otto.ply"}));
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray("3Anna.ply\r\n1Graf.ply\r\n2Typ3 Otto.ply\r\n"));
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), 4); // (0, 4): three players and one folder marker

    // A short file stops the index; what was gathered before it is saved.
    root.write("Wendrak/SpielerStamm/Kaputt.ply", QByteArray(100, 'x'));
    EXPECT_THROW(group.BuildPlayerIndex(store()), WendrakError);
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray("3Anna.ply\r\n1Graf.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Anna.ply").size(), 2400);
}

TEST_F(GroupTest, LoadingAGroupEmptiesTheGameNumbersRepeatedMembersAndReportsMissingOnes) {
    addPlayer("SpielerStamm/Anna.ply");
    addPlayer("SpielerStamm/Bob.ply");
    root.write("Wendrak/Aktuelles Spiel/Alt.ply", "alt");
    root.write("Wendrak/Aktuelles Spiel/Geschuetzt.PLY", "alt");
    makeReadOnly(game() + "Geschuetzt.PLY");
    root.write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");

    EXPECT_EQ(loadGroup("Fehlt.ply\r\nAnna.ply\r\nBob.ply\r\nAnna.ply\r\nAuchWeg.ply\r\n"),
              QStringList({"Fehlt.ply", "AuchWeg.ply"}));
    EXPECT_EQ(QDir(game()).entryList(QDir::Files, QDir::Name),
              QStringList({"Anna.ply", "Anna_1.ply", "Bob.ply", "notiz.txt"}));
    EXPECT_EQ(bytes(game() + "Anna_1.ply"), bytes(store() + "Anna.ply"));
    EXPECT_EQ(PlayerNotFoundText("Fehlt.ply"),
              "Warnung !!!\r\nDer Spieler: Fehlt.ply\r\nwurde nicht im Spielerstamm gefunden.");
}

TEST_F(GroupTest, MemberLinesOutsideTheStoreAreTreatedAsMissing) {
    // A player file next to the store and one elsewhere on disk: neither may be read.
    addPlayer("Draussen.ply");
    QTemporaryDir elsewhere(QDir::tempPath() + "/fremdXXXXXX");
    const QString absolute = elsewhere.path() + "/Fremd.ply";
    writePlayerFile(absolute, player("Fremd"));
    EXPECT_EQ(
        loadGroup(("..\\Draussen.ply\r\nSub/../../Draussen.ply\r\n" + absolute + "\r\n").toUtf8()),
        QStringList({"..\\Draussen.ply", "Sub/../../Draussen.ply", absolute}));
    EXPECT_TRUE(QDir(game()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(TGroup::IsUnsafeMemberName("C:\\Spiel\\Anna.ply"));
    EXPECT_FALSE(TGroup::IsUnsafeMemberName("Anna..ply"));
}

TEST_F(GroupTest, CopiesTakeTheSmallestFreeNumberAreWritableAndReadOnlyCopiesCanBeRemoved) {
    addPlayer("SpielerStamm/Anna.PLY");
    const QString source = store() + "Anna.PLY";
    makeReadOnly(source);
    root.write("Wendrak/Aktuelles Spiel/ANNA.PLY", "x");
    root.write("Wendrak/Aktuelles Spiel/Anna_2.ply", "x");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Anna.PLY"), game() + "Anna_1.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Anna.PLY"), game() + "Anna_3.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Bob.ply"), game() + "Bob.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Bob.ply"), game() + "Bob_1.ply");
    EXPECT_EQ(bytes(game() + "ANNA.PLY"), QByteArray("x"));
    EXPECT_TRUE(QFileInfo(game() + "Anna_1.ply").permissions() & QFile::WriteOwner);
    EXPECT_TRUE(QFileInfo::exists(source));

    makeReadOnly(game() + "Bob.ply");
    EXPECT_TRUE(TGroup::DeletePlayerFile(game() + "Bob.ply"));
    EXPECT_FALSE(QFileInfo::exists(game() + "Bob.ply"));
    EXPECT_TRUE(TGroup::DeletePlayerFile(game() + "GabEsNie.ply"));
}

} // namespace
