// The file side of the platform layer: case-insensitive lookup, listing order, the
// Windows-1252 codec and whole-file replacement.
#include "TempRoot.h"
#include "engine_fixtures.h"
#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using namespace platform;

TEST(PathsTest, SeparatorsAndNameParts) {
    EXPECT_EQ(
        QStringList({withTrailingSlash("C:\\Programme\\Wendrak"), extractFilePath("/a/b/c.ply"),
                     extractFileName("/a/b\\c.ply"), extractFileExt("/a.b/c"),
                     extractFileExt("c.PLY"), changeFileExt("/a.b/c.ply", ".plx")}),
        QStringList({"C:/Programme/Wendrak/", "/a/b/", "c.ply", "", ".PLY", "/a.b/c.plx"}));
}

TEST(NameCheckTest, RefusesNamesThatCannotNameAFileAndMakesThemSafe) {
    // Name, usable, made safe.
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"Anna", true, "Anna"},
        {"  Jürgen 2 ", true, "Jürgen 2"},
        {"", false, ""},
        {"   ", false, ""},
        {".", false, "_"},
        {"..", false, "_."},
        {".versteckt", false, "_versteckt"},
        {"a/b", false, "a_b"},
        {"a\\b", false, "a_b"},
        {"a\tb", false, "a_b"},
        {"ende.", true, "ende."},
    };
    for (const auto& [name, usable, safe] : rows) {
        EXPECT_EQ(IsUsableFileName(QString::fromUtf8(name)), usable) << name;
        EXPECT_EQ(SafeFileName(QString::fromUtf8(name)), QString::fromUtf8(safe)) << name;
    }
    EXPECT_EQ(errorOf([] { CheckFileName("a/b"); }),
              "Dieser Name kann nicht als Dateiname verwendet werden.");
}

TEST(PathsTest, LookupIgnoresCaseAndPrefersTheExactEntry) {
    TempRoot t;
    t.write("Wendrak/Texte/EXPORT.TXT", "x");
    t.write("Wendrak/Texte/Both.txt", "exact");
    t.write("Wendrak/Texte/BOTH.txt", "other");
    const QString p = t.programFolder();
    EXPECT_EQ(resolvePath(p + "texte/export.txt"), p + "Texte/EXPORT.TXT");
    EXPECT_EQ(resolvePath(p + "TEXTE\\Both.txt"), p + "Texte/Both.txt");
    EXPECT_EQ(resolvePath(p + "texte/"), p + "Texte/");
    EXPECT_TRUE(fileExists(p + "texte/Export.Txt"));
    EXPECT_FALSE(fileExists(p + "texte"));
    EXPECT_TRUE(folderExists(p + "TEXTE"));
    // Missing components stay as given behind the part that was found.
    EXPECT_EQ(resolvePath(p + "texte/neu/Datei.txt"), p + "Texte/neu/Datei.txt");
}

// A record is read at the exact path before any other spelling, and only whole from a plain
// file: a named pipe would block a reader for ever and a device never ends.
TEST(TextFileTest, RecordFilesAreReadAtTheExactPathFirstAndOnlyWholeFromPlainFiles) {
    TempRoot t;
    t.write("Rec/Both.ply", "exact-bytes");
    t.write("Rec/BOTH.ply", "other-bytes");
    t.write("Rec/Kurz.ply", "ab");
    const QString p = t.root() + "Rec/";
    EXPECT_EQ(readRecordFile(p + "BOTH.ply", 5), QByteArray("other"));
    EXPECT_EQ(readRecordFile(p + "Both.ply", 5), QByteArray("exact"));
    EXPECT_EQ(readRecordFile(p + "both.PLY", 5).size(), 5);
    EXPECT_EQ(readRecordFile(t.root() + "rec\\Both.ply", 5), QByteArray("exact"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(p + "Rohr.ply").constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", p + "Geraet.ply"));
    const std::pair<const char*, const char*> faults[] = {
        {"Fehlt.ply", "wurde nicht gefunden."},
        {"Kurz.ply", "ist zu kurz oder beschädigt: sie enthält 2 statt 5 Bytes."},
        {"Rohr.ply", "ist keine Spielerdatei."},
        {"Geraet.ply", "ist keine Spielerdatei."}};
    for (const auto& [name, fault] : faults)
        EXPECT_EQ(errorOf([&p, name] { readRecordFile(p + name, 5); }),
                  QString("Die Datei \"%1%2\" %3").arg(p, name, fault));
    EXPECT_THROW(readFileBytes(p + "Rohr.ply"), WendrakError);
}

TEST(PathsTest, MasksIgnoreCase) {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"GRAF.PLY", "*.ply", true},
        {"a.ply.bak", "*.ply", false},
        {"noext", "*.*", true},
        {"Runde_1.csv", "Runde_?.csv", true},
        {"Runde_10.csv", "Runde_?.csv", false}};
    for (const auto& [name, mask, match] : rows)
        EXPECT_EQ(matchesMask(name, mask), match) << name << " " << mask;
}

TEST(PathsTest, ListingIsSortedByUpperCasedNamesAndSkipsHiddenEntries) {
    TempRoot t;
    for (const char* name : {"graf_1.ply", "GRAFIK.PLY", "ahab.ply", "Zorro.ply", ".hidden.ply",
                             "notes.txt", "Ärger.ply"})
        t.write(QString("Wendrak/SpielerStamm/") + QString::fromUtf8(name), "x");
    QDir().mkpath(t.programFolder() + "SpielerStamm/Unterordner.ply");
    const QStringList files = listFolder(t.programFolder() + "spielerstamm", "*.PLY");
    EXPECT_EQ(files, QStringList({"ahab.ply", "GRAFIK.PLY", "graf_1.ply", "Zorro.ply",
                                  QString::fromUtf8("Ärger.ply")}));
    EXPECT_EQ(listFolder(t.programFolder() + "SpielerStamm", "*", ListKind::Folders),
              QStringList({"Unterordner.ply"}));
    EXPECT_TRUE(isHiddenName("/a/.keep"));
}

TEST(AnsiTest, EveryByteSurvivesARoundTripAndUnencodableTextBecomesQuestionMarks) {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(toAnsi(fromAnsi(all)), all);
    EXPECT_EQ(fromAnsi(QByteArray("\x80\xe4\xdf")), QString::fromUtf8("€äß"));
    EXPECT_EQ(toAnsi(QString::fromUtf8("a\u4e2db\U0001F600c")), QByteArray("a?b?c"));
    EXPECT_EQ(ansiUpper(QString::fromUtf8("äöü straße")), QString::fromUtf8("ÄÖÜ STRAßE"));
}

TEST(TextFileTest, ReplacingFollowsLinksKeepsPermissionsAndRefusesReadOnlyTargetsAndLongNames) {
    TempRoot t;
    const QString path = t.write("Wendrak/a.txt", "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // A link, also a relative one and a chain of two, is replaced at its final target.
    const QString links = t.root() + "Links/";
    ASSERT_TRUE(QDir().mkdir(links) && QFile::link(path, links + "abs") &&
                QFile::link("../Wendrak/a.txt", links + "rel") &&
                QFile::link("rel", links + "kette"));
    for (const char* link : {"abs", "rel", "kette"}) {
        writeFileBytes(links + link, link);
        EXPECT_TRUE(QFileInfo(links + link).isSymLink() && t.read("Wendrak/a.txt") == link);
    }
    const auto ownerGroupOther = QFileDevice::Permissions(0xF0FF);
    EXPECT_EQ(QFileInfo(path).permissions() & ownerGroupOther,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_THROW(writeFileBytes(path, "lost"), WendrakError);
    EXPECT_EQ(t.read("Wendrak/a.txt"), "kette");
    EXPECT_FALSE(deleteFile(path));
    EXPECT_THROW(writeFileBytes(t.root() + "fehlt/x.txt", "x"), WendrakError);

    // A file written under another case of its name replaces that entry.
    t.write("Wendrak/EXPORT.TXT", "1");
    writeFileBytes(t.programFolder() + "Export.Txt", "2");
    EXPECT_EQ(t.read("Wendrak/EXPORT.TXT"), "2");
    EXPECT_FALSE(QFileInfo::exists(t.programFolder() + "Export.Txt"));
    // The temporary file's name does not grow with the target's: every name the file system
    // takes (255 bytes) can be replaced, and a longer one is named as too long.
    const QString fits = QString(246, 'a') + ".ply";
    writeFileBytes(t.programFolder() + fits, "1");
    const QString tooLong = t.programFolder() + QString(252, 'b') + ".ply";
    EXPECT_EQ(errorOf([&tooLong] { writeFileBytes(tooLong, "x"); }),
              QString::fromUtf8("Die Datei \"%1\" kann nicht geschrieben werden: ihr Name ist "
                                "für das Dateisystem zu lang.")
                  .arg(tooLong));
    // No temporary file is left behind.
    EXPECT_EQ(listFolder(t.programFolder(), "*", ListKind::Files, true),
              QStringList({"a.txt", fits, "EXPORT.TXT"}));
}

TEST(TextFileTest, AnsiLinesAreReadWithAnyLineEnd) {
    TempRoot t;
    t.write("mixed.txt", "a\r\nb\nc\rd");
    EXPECT_EQ(readAnsiLines(t.root() + "mixed.txt"), QStringList({"a", "b", "c", "d"}));
}

// A name copied from a Latin-1 system ("J\xfcrgen.ply") is listed, opens under the name it
// was listed by and is written back under its own bytes.
TEST(PathsTest, NamesThatAreNotUtf8AreListedByANameThatOpensThemAgain) {
    TempRoot t;
    const QByteArray folder = QFile::encodeName(t.programFolder() + "SpielerStamm/");
    t.write("Wendrak/SpielerStamm/x", "Spieler");
    ASSERT_EQ(::rename((folder + "x").constData(), (folder + "J\xfcrgen.ply").constData()), 0);
    const QStringList names = listFolder(t.programFolder() + "spielerstamm", "*.ply");
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(readFileBytes(t.programFolder() + "SpielerStamm/" + names.first()), "Spieler");
    EXPECT_TRUE(fileExists(t.programFolder() + "spielerstamm/" + names.first().toUpper()));
    EXPECT_EQ(nativePath(names.first()), QByteArray("J\xfcrgen.ply"));
    writeFileBytes(t.root() + names.first(), "Kopie");
    EXPECT_EQ(::access((QFile::encodeName(t.root()) + "J\xfcrgen.ply").constData(), F_OK), 0);
    // Result files hold the name in Windows-1252, where the byte means what it meant there.
    EXPECT_EQ(toAnsi(names.first()), QByteArray("J\xfcrgen.ply"));
}

// A replace that was killed leaves its temporary file; the next write into that folder, or
// emptying it, removes such files and nothing else, never one a writer still holds.
TEST(TextFileTest, LeftoversOfInterruptedReplacesGoWithTheNextWriteIntoTheirFolder) {
    TempRoot t;
    const QString csv = t.write("Debug/Runde_1.csv", "alt");
    const auto listed = [&t] { return listFolder(t.root() + "Debug", "*", ListKind::Files, true); };
    static int stalled[2];
    ASSERT_EQ(::pipe(stalled), 0);
    const pid_t writer = ::fork();
    if (writer == 0) { // a replace stalled at the file-size limit, its temporary file locked
        const rlimit limit{1, 1};
        std::signal(SIGXFSZ, [](int) { ::write(stalled[1], "x", 1), ::pause(); });
        ::setrlimit(RLIMIT_FSIZE, &limit), errorOf([&] { writeFileBytes(csv, "neu"); }), ::_exit(0);
    }
    char c = 0;
    ::close(stalled[1]); // a writer that never stalls ends the wait below
    ASSERT_EQ(::read(stalled[0], &c, 1), 1);
    const QString temporary = listed().first();
    const QStringList kept = {".wendrak-abc1234",        "Anna.ply.abc123",
                              "Anna.ply.backup",         "Anna.PLY.wendrak-abc123",
                              "Kapitel1.wendrak-backup", "Runde_1.csv"};
    for (const QString& name : kept + QStringList({".wendrak-probe", ".wendrak-Ab12Cd"}))
        t.write("Debug/" + name, "x");
    writeFileBytes(csv, "neu");
    QStringList left = listed();
    EXPECT_TRUE(left.removeOne(temporary));
    EXPECT_EQ(left, kept);
    ::kill(writer, SIGKILL), ::waitpid(writer, nullptr, 0);
    writeFileBytes(csv, "neu");
    EXPECT_EQ(listed(), kept);
}
