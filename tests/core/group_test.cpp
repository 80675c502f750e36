// Group files, the player categories, renewal of group files, the player index, loading
// a group into a game folder, own groups' names, and the game setup's store lookup, copy and
// player count (its filter is the player chooser's window test).
#include "players/uTGroup.h"

#include "TempRoot.h"
#include "engine_fixtures.h"
#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "players/GameSetup.h"
#include "players/OwnGroups.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <tuple>

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

    QString data() const { return root.programFolder(); }
    QString store() const { return data() + "SpielerStamm/"; }
    QString game() const { return data() + "Aktuelles Spiel/"; }
    // Writes a player named after the file below the program folder.
    void addPlayer(const QString& relative) {
        const QString path = data() + relative;
        QDir().mkpath(QFileInfo(path).path());
        writePlayerFile(path, player(QFileInfo(path).completeBaseName()));
    }
    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Runs what with files stopping to grow at limit bytes, as on a full disk.
    static void withFileSizeLimit(rlim_t limit, const std::function<void()>& what) {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{limit, old.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &small);
        what(), setrlimit(RLIMIT_FSIZE, &old);
    }
    // Loads the group file with these bytes from "Eigene Gruppen/G" into the game folder.
    QList<MemberNotLoaded> loadGroup(const QByteArray& groupFile) {
        root.write("Wendrak/Eigene Gruppen/G/group.sgp", groupFile);
        return group.LoadGroupPlayers(store(), data() + "Eigene Gruppen/G/group.sgp", game());
    }
};
using GameSetupTest = GroupTest;

// Old group files name members as older versions stored them; reading maps them to the
// names of today, except a line that names a file of the reader's store as written. Saving
// creates the folders and writes Windows-1252 lines with CR LF.
TEST_F(GroupTest, GroupFilesAreSavedInAnsiWithCrLfAndReadWithOldMemberNamesMapped) {
    for (const char* file :
         {"Max_Muster.ply", "TYP1_2.PLY", "Tit4Tat.ply", "Sub/Rot_Blau.PLY", "Sub_Ordner/x.ply"})
        root.write(QString("Wendrak/SpielerStamm/") + file, "x");
    // clang-format off
    const QStringList lines = {"Typ1_2.ply", "Anna_1.ply", "Mein_Typ_3.ply", "Typ_x.ply",
        "Anna.ply", "yoka.ply", "Tit4Tat.ply", "YokaTit4Tat.ply", "", "J\u00fcrgen.ply",
        "Max_Muster.ply", "Sub\\Rot_Blau.ply", "Sub_Ordner", "Typ4_4.ply", "typ6_1.ply"};
    const QStringList mapped = {"Typ1.ply", "Anna1.ply", "Mein.ply", "Typx.ply", "Anna.ply",
        "TYP5YOKA.PLY", "TYP5TIT4TAT.PLY", "TYP5YOKA.PLY", "", "J\u00fcrgen.ply",
        "MaxMuster.ply", "Sub\\RotBlau.ply", "SubOrdner", "Typ4.ply", "typ6.ply"};
    QStringList taken = mapped; // with the store, which holds rows 0, 6, 10, 11 (not 12)
    for (const int i : {0, 6, 10, 11})
        taken[i] = lines[i];
    // clang-format on
    const QString folder = data() + "Eigene Gruppen/Alt/";
    group.SaveGroupFile(data() + "Eigene Gruppen\\Alt\\group.sgp", lines);
    EXPECT_EQ(bytes(folder + "group.sgp"), platform::toAnsi(lines.join("\r\n") + "\r\n"));
    EXPECT_EQ(group.ReadGroupFile(data() + "Eigene Gruppen\\Alt"), mapped);
    EXPECT_EQ(group.ReadGroupFile(folder, {data() + "Fehlt/", store()}), taken);
    EXPECT_TRUE(group.ReadGroupFile(data() + "Eigene Gruppen/Keine/").isEmpty());
    group.SaveGroupFile(folder + "group.sgp", {"Bob.ply"}); // replaces the old file
    EXPECT_EQ(bytes(folder + "group.sgp"), QByteArray("Bob.ply\r\n"));
}

TEST_F(GroupTest, ListOwnGroupsCreatesTheFolderAndListsEveryEntry) {
    QDir(data() + "Eigene Gruppen").removeRecursively();
    EXPECT_TRUE(group.ListOwnGroups(data()).isEmpty());
    EXPECT_TRUE(QFileInfo(data() + "Eigene Gruppen").isDir());

    for (const char* entry : {"zweite/a.ply", "Erste/a.ply", "notiz.txt"})
        root.write(QString("Wendrak/Eigene Gruppen/") + entry, "x");
    EXPECT_EQ(group.ListOwnGroups(data()), QStringList({"Erste", "notiz.txt", "zweite"}));
}

TEST_F(GroupTest, RenewalWritesTopFreshAppendsToSubFoldersAndLeavesNoFileForNoPlayers) {
    root.write("Wendrak/SpielerStamm/group.sgp", "Alt.ply\r\n");
    group.RenewGroupFiles(store());
    EXPECT_FALSE(QFile::exists(store() + "group.sgp"));

    for (const char* file : {"Anna.ply", "Bob.ply", "Klasse/Carl.ply", "Klasse/Dora.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    QDir().mkpath(store() + "Leer");
    const QByteArray top = "Anna.ply\r\nBob.ply\r\n", klasse = "Carl.ply\r\nDora.ply\r\n";
    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), top);
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"), klasse);
    EXPECT_FALSE(QFile::exists(store() + "Leer/group.sgp"));

    group.RenewGroupFiles(store());
    EXPECT_EQ(bytes(store() + "group.sgp"), top);
    EXPECT_EQ(bytes(store() + "Klasse/group.sgp"), klasse + klasse);

    // The new file replaces the old one whole: a renewal that cannot write keeps the old.
    addPlayer("SpielerStamm/Carla.ply");
    withFileSizeLimit(10, [&] { EXPECT_THROW(group.RenewGroupFiles(store()), WendrakError); });
    EXPECT_EQ(bytes(store() + "group.sgp"), top);
}

TEST_F(GroupTest, PlayerCategoryFollowsTheNameTestsInOrder) {
    const std::tuple<const char*, int, const char*> rows[] = {
        // clang-format off
        {"graf", 0, "1"}, {"Ra", 0, "1"}, {"Fuerst", 0, "1"}, {"Typ5", 0, "1"}, {"Anna", 0, "3"},
        {"Ritter Kunibert", 0, "3"}, {"", 0, "3"}, {"Typ2 Anna", 0, "2"}, {"ty", 0, "2"},
        {"Hans", 5, "2"}, {"Angreifer", 5, "0"}, {"Gecko", 0, "4"}, {"Eckangriff", 0, "4"},
        {"C:\\Spieler\\Graf", 0, "1"}, {"Spieler:Ra", 0, "1"}, {"Graf\\Anna", 0, "3"}};
    // clang-format on
    for (const auto& [name, type, expected] : rows)
        EXPECT_EQ(group.GetPlayerCategory(player(name, type, "x.ply")), expected) << name << type;
    // A read-only player, whatever its name.
    EXPECT_EQ(group.GetPlayerCategory(player("Graf", 0, "Graf.PLX")), "9");
}

TEST_F(GroupTest, PlayerIndexListsCategoryAndFileNameAndLeavesOutFilesThatCannotBeRead) {
    EXPECT_TRUE(group.BuildPlayerIndex(store()).players.isEmpty() &&
                bytes(store() + "x.txt").isEmpty());

    // Files before sub-folders; hidden folders and other files are passed over. An empty file
    // and a link to nowhere are named with their reasons, and the players after them listed.
    for (const char* file : {"Graf.ply", "Anna.ply", "Klasse/Typ3 Otto.ply", ".versteckt/e.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    root.write("Wendrak/SpielerStamm/bild.jpg", "x");
    root.write("Wendrak/SpielerStamm/KAPUTT.PLY", "");
    QFile::link(store() + "fehlt", store() + "Weg.ply");
    const PlayerIndex index = group.BuildPlayerIndex(store());
    EXPECT_EQ(index.players, QStringList({"3Anna.ply", "1Graf.ply", "2Typ3 Otto.ply"}));
    EXPECT_EQ(bytes(store() + "x.txt"), QByteArray("3Anna.ply\r\n1Graf.ply\r\n2Typ3 Otto.ply\r\n"));
    EXPECT_EQ(index.unreadable.size(), 2); // their texts: the main window's test
}

TEST_F(GroupTest, LoadingAGroupEmptiesTheGameNumbersRepeatedMembersAndReportsMissingOnes) {
    for (const char* file : {"Anna.ply", "Bob.ply", "Max_Muster.ply", "Carl1.ply"})
        addPlayer(QString("SpielerStamm/") + file);
    root.write("Wendrak/Aktuelles Spiel/Alt.ply", "alt"); // emptied, also when read-only
    root.write("Wendrak/Aktuelles Spiel/Geschuetzt.PLY", "alt");
    QFile::setPermissions(game() + "Geschuetzt.PLY", QFile::ReadOwner | QFile::ReadUser);
    root.write("Wendrak/Aktuelles Spiel/notiz.txt", "bleibt");
    root.write("Wendrak/Aktuelles Spiel/.wendrak-x1Y2z3", "halb"); // an interrupted copy

    // A member in other capitals is numbered after earlier copies; a store file's name stays.
    EXPECT_EQ(
        loadGroup("Fehlt.ply\r\nAnna.ply\r\nBob.ply\r\nAnna.ply\r\nAuchWeg.ply\r\nANNA.PLY\r\n"
                  "Max_Muster.ply\r\nCarl_1.ply\r\n"),
        QList<MemberNotLoaded>({{"Fehlt.ply"}, {"AuchWeg.ply"}}));
    EXPECT_EQ(QDir(game()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"ANNA_2.ply", "Anna.ply", "Anna_1.ply", "Bob.ply", "Carl1.ply",
                           "Max_Muster.ply", "notiz.txt"}));
    EXPECT_EQ(bytes(game() + "Anna_1.ply"), bytes(store() + "Anna.ply"));
}

// A full disk mid-copy: the copy goes whole or not at all, and the member is reported.
TEST_F(GroupTest, AMemberThatCannotBeCopiedIsReportedAndLeavesNoPartialPlayer) {
    addPlayer("SpielerStamm/Anna.ply"), addPlayer("SpielerStamm/Bob.ply");
    QList<MemberNotLoaded> notLoaded;
    withFileSizeLimit(1000, [&] { notLoaded = loadGroup("Anna.ply\r\nFehlt.ply\r\nBob.ply\r\n"); });

    EXPECT_EQ(notLoaded,
              QList<MemberNotLoaded>({{"Anna.ply", true}, {"Fehlt.ply"}, {"Bob.ply", true}}));
    EXPECT_EQ(QDir(game()).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(MemberNotLoadedText(notLoaded.first()),
              "Warnung !!!\r\nDer Spieler: Anna.ply\r\nkonnte nicht in das aktuelle Spiel "
              "kopiert werden und wurde nicht geladen.");
}

TEST_F(GroupTest, MemberLinesOutsideTheStoreAreTreatedAsMissing) {
    // A player file next to the store and one elsewhere on disk: neither may be read.
    addPlayer("Draussen.ply");
    QTemporaryDir elsewhere(QDir::tempPath() + "/fremdXXXXXX");
    const QString absolute = elsewhere.path() + "/Fremd.ply";
    writePlayerFile(absolute, player("Fremd"));
    EXPECT_EQ(
        loadGroup(("..\\Draussen.ply\r\nSub/../../Draussen.ply\r\n" + absolute + "\r\n").toUtf8()),
        QList<MemberNotLoaded>({{"..\\Draussen.ply"}, {"Sub/../../Draussen.ply"}, {absolute}}));
    EXPECT_TRUE(QDir(game()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(TGroup::IsUnsafeMemberName("C:\\Spiel\\Anna.ply") &&
                !TGroup::IsUnsafeMemberName("Anna..ply"));
}

TEST_F(GroupTest, OwnGroupNamesThatCannotNameAFolderAreRefusedAndNothingIsWritten) {
    for (const char* bad : {"", "..", "../Fremd", "a\\b", ".versteckt"})
        EXPECT_THROW(SaveOwnGroup(data(), bad, {"Anna.ply"}), WendrakError) << bad;
    EXPECT_TRUE(QDir(data() + "Eigene Gruppen").isEmpty());
}

TEST(GameSetupRules, AGameNeedsTwoToMaxPlayers) {
    for (const auto& [count, playable] :
         {std::pair{0, false}, {1, false}, {2, true}, {125, true}, {126, false}})
        EXPECT_EQ(IsPlayablePlayerCount(count, 125), playable) << count;
}

TEST_F(GameSetupTest, LookupPrefersTheStoreAndNeverLeavesIt) {
    const QString stored = root.write("Wendrak/SpielerStamm/Anna.ply", "stamm");
    root.write("Wendrak/SpielerStammImport/Anna.ply", "import");
    const QString imported = root.write("Wendrak/SpielerStammImport/Ida.ply", "import");
    root.write("Wendrak/Geheim.ply", "x");
    EXPECT_EQ(FindStoredPlayer(data(), "Anna.ply"), stored);
    EXPECT_EQ(FindStoredPlayer(data(), "Ida.ply"), imported);
    for (const char* name : {"Fehlt.ply", "../Geheim.ply", "..\\Geheim.ply", ""})
        EXPECT_EQ(FindStoredPlayer(data(), name), QString()) << name;
}

// A copy never replaces a file: it takes the smallest free number, writable even from a
// read-only player.
TEST_F(GameSetupTest, CopyTakesTheSmallestFreeNameCreatesTheGameFolderAndReportsFailures) {
    QFile::setPermissions(root.write("Wendrak/SpielerStamm/Anna.PLY", "anna"), QFile::ReadOwner);
    const QString newGame = data() + "Neues Spiel/";
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Anna.PLY"), newGame + "Anna.PLY");
    root.write("Wendrak/Neues Spiel/Anna_2.ply", "x");
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Anna.PLY"), newGame + "Anna_1.ply");
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Anna.PLY"), newGame + "Anna_3.ply");
    EXPECT_EQ(root.read("Wendrak/Neues Spiel/Anna_1.ply"), "anna");
    EXPECT_TRUE(QFileInfo(newGame + "Anna_1.ply").permissions() & QFile::WriteOwner);
    EXPECT_EQ(CopyStoredPlayerToGame(data(), newGame, "Fehlt.ply"), QString());

    root.write("Wendrak/SpielerStamm/.versteckt.ply", "x");
    EXPECT_EQ(errorOf([&] { CopyStoredPlayerToGame(data(), newGame, ".versteckt.ply"); }),
              platform::UnusableNameMessage());
    root.write("Wendrak/KeinOrdner", "a file where the game folder should be");
    EXPECT_THROW(CopyStoredPlayerToGame(data(), data() + "KeinOrdner/", "Anna.PLY"), WendrakError);
}

} // namespace
