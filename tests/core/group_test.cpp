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
    void addPlayer(const QString& relative, const QString& name, int type = 0) {
        const QString path = root.programFolder() + relative;
        QDir().mkpath(QFileInfo(path).path());
        writePlayerFile(path, player(name, type));
    }
    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void makeReadOnly(const QString& path) const {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup);
    }
};

TEST_F(GroupTest, ReadGroupFileMapsOldMemberNames) {
    const struct {
        const char* line;
        const char* expected;
    } rows[] = {
        {"Typ1_2.ply", "Typ1.ply"},
        {"Anna_1.ply", "Anna1.ply"},
        {"UJoch_1T.ply", "UJoch1T.ply"},
        {"Mein_Typ_3.ply", "Mein.ply"},
        {"Typ_x.ply", "Typx.ply"},
        {"Anna.ply", "Anna.ply"},
        {"yoka.ply", "TYP5YOKA.PLY"},
        {"TYP5YOKA.PLY", "TYP5YOKA.PLY"},
        {"Tit4Tat.ply", "TYP5TIT4TAT.PLY"},
        {"YokaTit4Tat.ply", "TYP5YOKA.PLY"},
        {"", ""},
        {"J\xc3\xbcrgen.ply", "J\xc3\xbcrgen.ply"},
    };
    QStringList lines;
    for (const auto& row : rows)
        lines.append(QString::fromUtf8(row.line));
    QByteArray file;
    for (const QString& line : lines)
        file += platform::toAnsi(line) + "\r\n";
    root.write("Wendrak/Eigene Gruppen/Alt/group.sgp", file);

    const QStringList read = group.ReadGroupFile(root.programFolder() + "Eigene Gruppen\\Alt");
    ASSERT_EQ(read.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(read[i], QString::fromUtf8(rows[i].expected)) << rows[i].line;
}

TEST_F(GroupTest, MissingGroupFileReadsAsEmptyGroup) {
    EXPECT_TRUE(group.ReadGroupFile(root.programFolder() + "Eigene Gruppen/Keine/").isEmpty());
}

TEST_F(GroupTest, SaveGroupFileCreatesFoldersAndWritesAnsiWithCrLf) {
    const QString path = root.programFolder() + "Eigene Gruppen\\Neu\\group.sgp";
    group.SaveGroupFile(path, {QString::fromUtf8("J\xc3\xbcrgen.ply"), "Anna.ply"});
    EXPECT_EQ(bytes(root.programFolder() + "Eigene Gruppen/Neu/group.sgp"),
              QByteArray("J\xfcrgen.ply\r\nAnna.ply\r\n"));
    group.SaveGroupFile(path, {"Bob.ply"});
    EXPECT_EQ(bytes(root.programFolder() + "Eigene Gruppen/Neu/group.sgp"),
              QByteArray("Bob.ply\r\n"));
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

TEST_F(GroupTest, ListFilesRecursiveGivesFilesThenEachSubFolderWithItsContent) {
    addPlayer("SpielerStamm/b.ply", "b");
    addPlayer("SpielerStamm/A.PLY", "a");
    addPlayer("SpielerStamm/Sub/c.ply", "c");
    addPlayer("SpielerStamm/Sub/Tief/d.ply", "d");
    addPlayer("SpielerStamm/.versteckt/e.ply", "e");
    root.write("Wendrak/SpielerStamm/bild.jpg", "x");

    QStringList list{"vorher"};
    group.ListFilesRecursive(store() + "*.ply", list);
    EXPECT_EQ(list, QStringList({"vorher", store() + "A.PLY", store() + "b.ply",
                                 "1" + store() + "Sub", store() + "Sub/c.ply",
                                 "1" + store() + "Sub/Tief", store() + "Sub/Tief/d.ply"}));
}

TEST_F(GroupTest, WalkEndsAtALinkBackToAParentFolder) {
    addPlayer("SpielerStamm/Sub/c.ply", "c");
    ASSERT_TRUE(QFile::link(store(), store() + "Sub/zurueck"));
    QStringList list;
    group.ListFilesRecursive(store() + "*.ply", list);
    EXPECT_EQ(list, QStringList({"1" + store() + "Sub", store() + "Sub/c.ply",
                                 "1" + store() + "Sub/zurueck"}));
}

TEST_F(GroupTest, RenewalWritesTopFreshAndAppendsToSubFolders) {
    addPlayer("SpielerStamm/Anna.ply", "Anna");
    addPlayer("SpielerStamm/Bob.ply", "Bob");
    addPlayer("SpielerStamm/Klasse/Carl.ply", "Carl");
    addPlayer("SpielerStamm/Klasse/Dora.ply", "Dora");
    QDir().mkpath(store() + "Leer");
    root.write("Wendrak/SpielerStamm/group.sgp", "Alt.ply\r\n");

    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), QByteArray("Anna.ply\r\nBob.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"), QByteArray("Carl.ply\r\nDora.ply\r\n"));
    EXPECT_FALSE(QFile::exists(store() + "Leer/group.sgp"));

    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), QByteArray("Anna.ply\r\nBob.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"),
              QByteArray("Carl.ply\r\nDora.ply\r\nCarl.ply\r\nDora.ply\r\n"));
}

TEST_F(GroupTest, RenewalOfAnEmptyStoreLeavesNoGroupFile) {
    root.write("Wendrak/SpielerStamm/group.sgp", "Alt.ply\r\n");
    group.RenewGroupFiles(store());
    EXPECT_FALSE(QFile::exists(store() + "group.sgp"));
}

TEST_F(GroupTest, PlayerCategoryFollowsTheNameTestsInOrder) {
    const struct {
        const char* name;
        int type;
        const char* fileName;
        const char* expected;
    } rows[] = {
        {"Graf", 0, "", "1"},
        {"graf", 0, "", "1"},
        {"Ra", 0, "", "1"},
        {"Fuerst", 0, "", "1"},
        {"Ritter Kunibert", 0, "", "3"},
        {"Typ2 Anna", 0, "", "2"},
        {"ty", 0, "", "2"},
        {"Typ5", 0, "", "1"},
        {"Hans", 5, "", "2"},
        {"Angreifer", 5, "", "0"},
        {"Angreifer", 0, "", "0"},
        {"Gecko", 0, "", "4"},
        {"Eckangriff", 0, "", "4"},
        {"Graf", 0, "Graf.PLX", "9"},
        {"Anna", 0, "Anna.plx", "9"},
        {"Anna", 0, "", "3"},
        {"", 0, "", "3"},
        {"C:\\Spieler\\Graf", 0, "", "1"},
        {"Spieler:Ra", 0, "", "1"},
        {"Graf\\Anna", 0, "", "3"},
    };
    for (const auto& row : rows) {
        const SpielerTyp p = player(QString::fromUtf8(row.name), row.type,
                                    QString::fromUtf8(*row.fileName ? row.fileName : "x.ply"));
        EXPECT_EQ(group.GetPlayerCategory(p), QString::fromLatin1(row.expected))
            << row.name << " / " << row.type << " / " << row.fileName;
    }
}

TEST_F(GroupTest, PlayerIndexListsCategoryAndFileNameAndSavesXTxt) {
    addPlayer("SpielerStamm/Graf.ply", "Graf");
    addPlayer("SpielerStamm/Anna.ply", "Anna");
    addPlayer("SpielerStamm/Klasse/Typ3Otto.ply", "Typ3 Otto");

    QList<int> calls;
    const QStringList index = group.BuildPlayerIndex(
        store(), [&](int done, int total) { calls.append(done * 100 + total); });
    EXPECT_EQ(index, QStringList({"3Anna.ply", "1Graf.ply", "2Typ3Otto.ply"}));
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray("3Anna.ply\r\n1Graf.ply\r\n2Typ3Otto.ply\r\n"));
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.first(), 4); // (0, 4): three players and one folder marker
}

TEST_F(GroupTest, EmptyStoreGivesEmptyIndexAndEmptyXTxt) {
    EXPECT_TRUE(group.BuildPlayerIndex(store()).isEmpty());
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray());
}

TEST_F(GroupTest, ShortPlayerFileStopsTheIndexButSavesWhatWasGathered) {
    addPlayer("SpielerStamm/Anna.ply", "Anna");
    root.write("Wendrak/SpielerStamm/Kaputt.ply", QByteArray(100, 'x'));
    addPlayer("SpielerStamm/Zora.ply", "Zora");
    EXPECT_THROW(group.BuildPlayerIndex(store()), WendrakError);
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray("3Anna.ply\r\n"));
    EXPECT_EQ(bytes(store() + "Anna.ply").size(), 2400);
}

TEST_F(GroupTest, LoadingAGroupEmptiesTheGameAndNumbersRepeatedMembers) {
    addPlayer("SpielerStamm/Anna.ply", "Anna");
    addPlayer("SpielerStamm/Bob.ply", "Bob");
    root.write("Wendrak/Aktuelles Spiel/Alt.ply", "alt");
    root.write("Wendrak/Aktuelles Spiel/Geschuetzt.PLY", "alt");
    makeReadOnly(game() + "Geschuetzt.PLY");
    root.write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");
    root.write("Wendrak/Eigene Gruppen/G/group.sgp", "Anna.ply\r\nBob.ply\r\nAnna.ply\r\n");

    const QStringList missing = group.LoadGroupPlayers(
        store(), root.programFolder() + "Eigene Gruppen/G/group.sgp", game());
    EXPECT_TRUE(missing.isEmpty());
    EXPECT_EQ(QDir(game()).entryList(QDir::Files, QDir::Name),
              QStringList({"Anna.ply", "Anna_1.ply", "Bob.ply", "notiz.txt"}));
    EXPECT_EQ(bytes(game() + "Anna_1.ply"), bytes(store() + "Anna.ply"));
}

TEST_F(GroupTest, LoadingAGroupReportsMissingMembersAndCopiesTheOthers) {
    addPlayer("SpielerStamm/Bob.ply", "Bob");
    root.write("Wendrak/Aktuelles Spiel/Alt.ply", "alt");
    root.write("Wendrak/Eigene Gruppen/G/group.sgp", "Fehlt.ply\r\nBob.ply\r\nAuchWeg.ply\r\n");
    const QStringList missing = group.LoadGroupPlayers(
        store(), root.programFolder() + "Eigene Gruppen/G/group.sgp", game());
    EXPECT_EQ(missing, QStringList({"Fehlt.ply", "AuchWeg.ply"}));
    EXPECT_EQ(QDir(game()).entryList(QDir::Files), QStringList({"Bob.ply"}));
}

TEST_F(GroupTest, MemberLinesOutsideTheStoreAreTreatedAsMissing) {
    // A player file next to the store and one elsewhere on disk: neither may be read.
    addPlayer("Draussen.ply", "Draussen");
    QTemporaryDir elsewhere(QDir::tempPath() + "/fremdXXXXXX");
    const QString absolute = elsewhere.path() + "/Fremd.ply";
    writePlayerFile(absolute, player("Fremd"));
    root.write("Wendrak/Eigene Gruppen/G/group.sgp",
               ("..\\Draussen.ply\r\nSub/../../Draussen.ply\r\n" + absolute + "\r\n").toUtf8());
    const QStringList missing = group.LoadGroupPlayers(
        store(), root.programFolder() + "Eigene Gruppen/G/group.sgp", game());
    EXPECT_EQ(missing, QStringList({"..\\Draussen.ply", "Sub/../../Draussen.ply", absolute}));
    EXPECT_TRUE(QDir(game()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(TGroup::IsUnsafeMemberName("C:\\Spiel\\Anna.ply"));
    EXPECT_FALSE(TGroup::IsUnsafeMemberName("Anna..ply"));
}

TEST_F(GroupTest, CopyNamingTakesTheSmallestFreeNumberFromTheMemberName) {
    addPlayer("SpielerStamm/Anna.PLY", "Anna");
    const QString source = store() + "Anna.PLY";
    root.write("Wendrak/Aktuelles Spiel/ANNA.PLY", "x");
    root.write("Wendrak/Aktuelles Spiel/Anna_2.ply", "x");

    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Anna.PLY"), game() + "Anna_1.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Anna.PLY"), game() + "Anna_3.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Bob.ply"), game() + "Bob.ply");
    EXPECT_EQ(TGroup::CopyToFreeName(source, game(), "Bob.ply"), game() + "Bob_1.ply");
    EXPECT_EQ(bytes(game() + "ANNA.PLY"), QByteArray("x"));
}

TEST_F(GroupTest, CopiesOfReadOnlyPlayersAreWritableAndReadOnlyCopiesCanBeRemoved) {
    addPlayer("SpielerStamm/Anna.ply", "Anna");
    makeReadOnly(store() + "Anna.ply");
    const QString copy = TGroup::CopyToFreeName(store() + "Anna.ply", game(), "Anna.ply");
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_TRUE(QFileInfo(copy).permissions() & QFile::WriteOwner);
    EXPECT_TRUE(QFileInfo::exists(store() + "Anna.ply"));

    makeReadOnly(copy);
    EXPECT_TRUE(TGroup::DeletePlayerFile(copy));
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(TGroup::DeletePlayerFile(game() + "GabEsNie.ply"));
}

TEST_F(GroupTest, PlayerNotFoundTextNamesTheMember) {
    EXPECT_EQ(
        PlayerNotFoundText("Anna.ply"),
        QString("Warnung !!!\r\nDer Spieler: Anna.ply\r\nwurde nicht im Spielerstamm gefunden."));
}

} // namespace
