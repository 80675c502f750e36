// The player exchange against a real FTP server on 127.0.0.1: publishing, listing, importing,
// and what happens when the server refuses, goes away or offers hostile names.
#include "players/Exchange.h"

#include "FtpTestServer.h"
#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/IniFile.h"
#include "platform/NameCheck.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Readable failure output for texts.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct RecordingObserver : ExchangeObserver {
    QStringList statuses, failures;
    int polls = 0;
    int cancelAtPoll = -1;                  // answers "cancel" at this poll (from 0)
    std::function<void()> afterFirstPlayer; // run at the first "Spieler ..." status
    void ShowStatus(const QString& head, const QString& subHead) override {
        statuses << head + "|" + subHead;
        if (head.startsWith("Spieler ") && afterFirstPlayer)
            std::exchange(afterFirstPlayer, nullptr)();
    }
    bool CancelRequested() override { return polls++ == cancelAtPoll; }
    void ShowFailure(const QString& message) override { failures << message; }
};

QByteArray playerBytes(const QString& name) {
    SpielerTyp p = zeroedPlayer();
    p.Name.set(name);
    p.Dateiname.set(name + ".ply");
    p.Spielertyp = 3;
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.port(), 0) << "the test FTP server did not start";
        SetExchangeClock([] { return QDateTime(QDate(2026, 12, 6), QTime(14, 30, 5)); });
    }
    void TearDown() override { SetExchangeClock({}); }

    QString data() const { return root.programFolder(); }
    // Runs one transfer as the worker does; returns its result text.
    QString run(int modus, const QStringList& files, const QString& group = QString(),
                const QString& description = QString(), const QString& password = "geheim") {
        ftp.Host = "127.0.0.1";
        ftp.Port = server.port();
        ftp.Username = FtpTestServer::kUser;
        ftp.Password = password;
        ExchangeWork work(ftp, observer, data(), data());
        work.Modus = modus;
        work.Dateien = files;
        work.Gruppenname = group;
        work.Beschreibung = description;
        work.Run();
        listed = work.Dateien;
        leftOut = work.LeftOutText;
        return work.Ergebnistext;
    }
    QString storePlayer(const QString& name) {
        return root.write("Wendrak/SpielerStamm/" + name + ".ply", playerBytes(name));
    }
    SpielerTyp imported(const QString& fileName) const {
        return readPlayerFile(data() + "SpielerStammImport/" + fileName);
    }

    TempRoot root;
    FtpTestServer server;
    FtpClient ftp;
    RecordingObserver observer;
    QStringList listed;
    QString leftOut;
};

TEST_F(ExchangeTest, PublishingLeavesUpperCasedPlayersTheDescriptionAndThePageOnTheServer) {
    const QStringList files = {storePlayer("Anna"), storePlayer("Bert")};
    EXPECT_EQ(run(ExchangeWork::Publish, files, "Test", "a\r\nb"), "");

    EXPECT_EQ(server.read("Test/ANNA.PLY"), playerBytes("Anna"));
    EXPECT_EQ(server.read("Test/BERT.PLY"), playerBytes("Bert"));
    EXPECT_EQ(server.read("Test/DESCRIPTION.INI"),
              "[Group]\r\nName=Test\r\nCreated=06.12.2026 14:30:05\r\nCount=2\r\n"
              "Description=a$$XDE$$b\r\nPlayer=Anna.ply$$XDE$$Bert.ply$$XDE$$\r\n");
    const QByteArray page = server.read("Test.html");
    for (const char* part : {"<h1>Test</h1>", "Erstellt am 06.12.2026 14:30:05", "<p>a<BR>b</p>",
                             "<p>Anna<BR>Bert<BR></p>"})
        EXPECT_TRUE(page.contains(part)) << page.constData();
    EXPECT_EQ(observer.statuses.value(0), "|ANNA.PLY wird kopiert.");
}

// A step the server refuses ends the publish with the step and the server's reply.
TEST_F(ExchangeTest, ARefusedLoginOrStepIsReportedAndNeverAsSuccess) {
    EXPECT_EQ(run(ExchangeWork::ListGroups, {}, "", "", "falsch"), ConnectFailedText());
    server.write("Neu", "a file where the folder should go");
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, "Neu"),
              TransferFailedText() + "Anlegen des Ordners „Neu“: 550 File exists.");
    // A name with a control character is refused before it becomes an address; the
    // connection stays.
    ftp.Connect();
    try {
        ftp.GetBytes("G/B\x01se");
        ADD_FAILURE() << "not refused";
    } catch (const WendrakError& e) {
        EXPECT_EQ(e.message(), "Laden von „G/B?se“: Der Name enthält Steuerzeichen und kann nicht "
                               "übertragen werden.");
    }
    EXPECT_TRUE(ftp.Connected());
}

// Names go to the server percent-encoded and in Windows-1252, so blanks, umlauts and URL
// characters survive a whole round of publishing, listing and importing.
TEST_F(ExchangeTest, GroupsRoundTripWithBlanksUmlautsAndUrlCharactersInTheirNames) {
    const QStringList names = {"Mit Blank", "Gr\u00fcne J\u00e4ger", "50% #1?"};
    for (const QString& name : names)
        ASSERT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, name), "")
            << name.toStdString();
    server.write("Ohne Beschreibung/ANNA.PLY", playerBytes("Anna"));

    ASSERT_EQ(run(ExchangeWork::ListGroups, {}), "");
    QStringList groups;
    for (const QString& file : listed)
        groups << platform::IniFile(file).readString("Group", "Name", "");
    groups.sort();
    QStringList expected = names;
    expected.sort();
    EXPECT_EQ(groups, expected);

    ASSERT_EQ(run(ExchangeWork::Import, listed), "");
    for (const QString& name : names) {
        const QString file = "Anna von " + name + ".ply";
        EXPECT_EQ(imported(file).Name.get(), "Anna von " + name);
        EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/" + name + "/group.sgp"),
                  platform::toAnsi(file) + "\r\n");
    }
}

// A second import empties the group's folder first and replaces its players; the record
// takes the new file name and name.
TEST_F(ExchangeTest, ImportingAgainEmptiesTheGroupFolderAndReplacesThePlayers) {
    server.writeGroup("G", "G", {"Anna.ply"}, playerBytes("Anna"));
    root.write("Wendrak/Temp/d.ini", "[Group]\r\nName=G\r\nPlayer=Anna.ply$$XDE$$\r\n");
    const QString description = data() + "Temp/d.ini";
    ASSERT_EQ(run(ExchangeWork::Import, {description}), "");
    root.write("Wendrak/ImportierteGruppen/G/alt.ply", "alt");
    root.write("Wendrak/SpielerStammImport/Anna von G.ply", "kaputt");

    ASSERT_EQ(run(ExchangeWork::Import, {description}), "");
    EXPECT_EQ(QDir(data() + "ImportierteGruppen/G").entryList(QDir::Files),
              QStringList{"group.sgp"});
    EXPECT_EQ(imported("Anna von G.ply").Dateiname.get(), "Anna von G.ply");
    EXPECT_EQ(imported("Anna von G.ply").Spielertyp, 3);
}

// A cancel, or a server that goes away (not to be taken for a missing player), ends the
// import before the next player: what came is kept and no group file is written.
TEST_F(ExchangeTest, CancellingOrAServerStoppedDuringAnImportEndsItWithoutAGroupFile) {
    server.writeGroup("G", "G", {"Anna.ply", "Bert.ply"}, playerBytes("Anna"));
    const QString description =
        root.write("Wendrak/Temp/d.ini", "[Group]\r\nName=G\r\nPlayer=Anna.ply$$XDE$$Bert.ply\r\n");
    const auto importedOnlyAnna = [this] {
        return QDir(data() + "SpielerStammImport").entryList(QDir::Files) ==
                   QStringList{"Anna von G.ply"} &&
               !QFile::exists(data() + "ImportierteGruppen/G/group.sgp");
    };
    observer.cancelAtPoll = 1;
    EXPECT_EQ(run(ExchangeWork::Import, {description}), CancelledText());
    EXPECT_TRUE(importedOnlyAnna());

    observer.afterFirstPlayer = [this] { server.stop(); };
    const QString result = run(ExchangeWork::Import, {description});
    EXPECT_TRUE(result.startsWith(TransferFailedText() + "Laden von „G/Bert.ply“: "))
        << result.toStdString();
    EXPECT_TRUE(observer.failures.isEmpty() && importedOnlyAnna());
}

// Names from the server never reach outside the two import folders, and a file that is no
// whole player record never enters the store; each is reported and named in the result.
TEST_F(ExchangeTest, HostileNamesAndBrokenPlayersFromTheServerAreRefusedAndNamed) {
    root.write("Wendrak/ImportierteGruppen/Eigen/group.sgp", "x.ply\r\n");
    root.write("Wendrak/Temp/0.ini", "[Group]\r\nName=../../Wendrak\r\nPlayer=a.ply\r\n");
    root.write("Wendrak/Temp/1.ini", "[Group]\r\nName=\r\nPlayer=a.ply\r\n");
    root.write("Wendrak/Temp/2.ini",
               "[Group]\r\nName=G\r\n"
               "Player=../../../x.ply$$XDE$$Kurz.ply$$XDE$$Fehlt.ply$$XDE$$Anna.ply\r\n");
    server.writeGroup("G", "G", {"Anna.ply"}, playerBytes("Anna"));
    server.write("G/KURZ.PLY", playerBytes("Kurz").left(100));
    server.write("x.ply", playerBytes("x"));

    const QString result = run(ExchangeWork::Import, {data() + "Temp/0.ini", data() + "Temp/1.ini",
                                                      data() + "Temp/2.ini"});
    EXPECT_EQ(result, "Nicht importiert wurden:\r\nGruppe „../../Wendrak“\r\nGruppe „“\r\n"
                      "Spieler „../../../x.ply“ der Gruppe „G“\r\n"
                      "Spieler „Kurz.ply“ der Gruppe „G“\r\n"
                      "Spieler „Fehlt.ply“ der Gruppe „G“");
    EXPECT_EQ(observer.failures.size(), 5);
    EXPECT_TRUE(observer.failures.last().startsWith("Laden von „G/Fehlt.ply“: 550 "));
    EXPECT_EQ(QDir(data() + "SpielerStammImport").entryList(QDir::Files),
              QStringList{"Anna von G.ply"});
    EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/Eigen/group.sgp"), "x.ply\r\n");
    EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/G/group.sgp"), "Anna von G.ply\r\n");
    EXPECT_FALSE(QFile::exists(root.root() + "x von G.ply"));
}

// One bad entry never ends a step, and nothing fails silently: servers of another kind and
// hostile ones. Each row arranges the server and the disk, runs one step and checks its
// texts and the files. "ftp:" names a file on the server; a null content means "absent".
TEST_F(ExchangeTest, ServersOfAnotherKindAndHostileEntriesAreReportedAndNeverEndAWholeStep) {
    const QString dos = "12-06-26  02:30PM       <DIR>          ";
    const QString unix = "drwxr-xr-x 2 1001 1001 4096 Dec 06 22:28 Probe Gruppe";
    const QString longName(300, 'x');
    const auto description = [this](const QString& file, const QString& name,
                                    const QString& players) {
        return root.write("Wendrak/Temp/" + file + ".ini",
                          "[Group]\r\nName=" + platform::toAnsi(name) +
                              "\r\nPlayer=" + platform::toAnsi(players) + "\r\n");
    };
    const QByteArray none;
    const int fsizeLimit = 2000; // below one player record
    QByteArray earlier;          // the player of an earlier import, where a row makes one
    struct Row {
        const char* what;
        std::function<QStringList()> arrange; // returns Dateien
        int modus;
        QString group; // publish
        QString result, leftOut;
        std::optional<QStringList> failures;
        QList<std::pair<QString, QByteArray>> files;
        bool limitFileSize = false;
    };
    const QList<Row> rows = {
        {"a Unix listing is not taken for an empty one",
         [&] {
             server.setListing({unix});
             return QStringList();
         },
         ExchangeWork::ListGroups,
         "",
         UnreadableListingText(),
         "",
         QStringList(),
         {}},
        {"nor does publishing go on after it",
         [&] {
             server.setListing({unix});
             return QStringList{storePlayer("Anna")};
         },
         ExchangeWork::Publish,
         "Probe",
         UnreadableListingText(),
         "",
         QStringList(),
         {{"ftp:Probe/ANNA.PLY", none}}},
        {"a listing of DOS file lines only holds no group",
         [&] {
             server.setListing({"12-06-2026  14:30                 2400 X.PLY", ""});
             return QStringList();
         },
         ExchangeWork::ListGroups,
         "",
         "",
         "",
         QStringList(),
         {}},
        {"a folder the listing does not show after MKD gets no players and no page",
         [&] {
             server.setListing({"12-06-26  02:30PM                 2400 X.PLY"});
             return QStringList{storePlayer("Anna")};
         },
         ExchangeWork::Publish,
         "Neu",
         GroupNotCreatedText(),
         "",
         QStringList(),
         {{"ftp:Neu.html", none}, {"ftp:Neu/ANNA.PLY", none}}},
        {"the name test runs over folder names, not over whole lines",
         [&] {
             server.write("Test2/DESCRIPTION.INI", "[Group]\r\nName=Test2\r\n");
             return QStringList{storePlayer("Anna")};
         },
         ExchangeWork::Publish,
         "PM",
         "",
         "",
         QStringList(),
         {{"ftp:PM/ANNA.PLY", playerBytes("Anna")}}},
        {"a name inside another group's name is taken",
         [&] { return QStringList{storePlayer("Anna")}; },
         ExchangeWork::Publish,
         "Test",
         GroupExistsText(),
         "",
         QStringList(),
         {{"ftp:Test", none}, {"ftp:Test.html", none}}},
        {"a name that cannot be a file is not sent",
         [&] { return QStringList{storePlayer("Anna")}; },
         ExchangeWork::Publish,
         "../x",
         platform::UnusableNameMessage(),
         "",
         QStringList(),
         {}},
        {"folder names with control characters are left out and named, the others listed",
         [&] {
             server.writeGroup("Gut", "Gut", {"Anna.ply"}, playerBytes("Anna"));
             server.setListing(
                 {dos + "B\x01se", dos + "Gut", dos + QString("Nu") + QChar(0) + "ll"});
             return QStringList();
         },
         ExchangeWork::ListGroups,
         "",
         "",
         "Diese Gruppen auf dem Server haben Steuerzeichen im Namen und fehlen in der Liste:\r\n"
         "„B?se“\r\n„Nu?ll“",
         QStringList(),
         {{"Wendrak/Temp/DESCRIPTION1.ini", "[Group]\r\nName=Gut\r\nCount=1\r\n"
                                            "Player=Anna.ply$$XDE$$\r\n"}}},
        {"a group whose folder cannot be made is named, the next one imported",
         [&] {
             server.writeGroup("L", "L", {"Anna.ply"}, playerBytes("Anna"));
             return QStringList{description("0", longName, "Anna.ply"),
                                description("1", "L", "Anna.ply")};
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nGruppe „" + longName + "“",
         "",
         QStringList{"Die Gruppe „" + longName +
                     "“ wird nicht importiert: Ihr Ordner kann nicht angelegt werden."},
         {{"Wendrak/ImportierteGruppen/L/group.sgp", "Anna von L.ply\r\n"}}},
        {"players whose files differ only in case: the second is named, not imported",
         [&] {
             server.writeGroup("C", "C", {"Anna.ply"}, playerBytes("Anna"));
             return QStringList{description("0", "C", "Anna.ply$$XDE$$anna.PLY$$XDE$$Anna.txt")};
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nSpieler „anna.PLY“ der Gruppe „C“\r\n"
         "Spieler „Anna.txt“ der Gruppe „C“",
         "",
         QStringList{"„anna.PLY“ der Gruppe „C“: Ein anderer Spieler dieses Imports steht schon "
                     "in „Anna von C.ply“.",
                     "„Anna.txt“ der Gruppe „C“: Ein anderer Spieler dieses Imports steht schon "
                     "in „Anna von C.ply“."},
         {{"Wendrak/ImportierteGruppen/C/group.sgp", "Anna von C.ply\r\n"}}},
        {"groups whose folders differ only in case: the second is named, not imported",
         [&] {
             server.writeGroup("same", "same", {"Anna.ply"}, playerBytes("Anna"));
             return QStringList{description("0", "same", "Anna.ply"),
                                description("1", "Same", "Anna.ply")};
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nGruppe „Same“",
         "",
         QStringList{"Die Gruppe „Same“ wird nicht importiert: Eine andere Gruppe dieses Imports "
                     "hat denselben Ordner „same“."},
         {{"Wendrak/ImportierteGruppen/same/group.sgp", "Anna von same.ply\r\n"}}},
        {"a re-import whose players all fail keeps the earlier group file; a new one gets none",
         [&] {
             root.write("Wendrak/ImportierteGruppen/R/group.sgp", "Anna von R.ply\r\n");
             return QStringList{description("0", "R", "Fehlt.ply"),
                                description("1", "N", "Fehlt.ply")};
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nSpieler „Fehlt.ply“ der Gruppe „R“\r\n"
         "Spieler „Fehlt.ply“ der Gruppe „N“",
         "",
         std::nullopt,
         {{"Wendrak/ImportierteGruppen/R/group.sgp", "Anna von R.ply\r\n"},
          {"Wendrak/ImportierteGruppen/N/group.sgp", none}}},
        {"a player that cannot be written whole leaves the earlier one byte for byte",
         [&] {
             server.writeGroup("W", "W", {"Anna.ply"}, playerBytes("Anna"));
             const QStringList files{description("0", "W", "Anna.ply")};
             EXPECT_EQ(run(ExchangeWork::Import, files), "");
             earlier = root.read("Wendrak/SpielerStammImport/Anna von W.ply");
             server.write("W/ANNA.PLY", playerBytes("Bert"));
             return files;
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nSpieler „Anna.ply“ der Gruppe „W“",
         "",
         std::nullopt,
         {{"Wendrak/ImportierteGruppen/W/group.sgp", "Anna von W.ply\r\n"}},
         true},
        {"a file over the size cap is refused, the group goes on",
         [&] {
             server.writeGroup("Z", "Z", {"Anna.ply"}, playerBytes("Anna"));
             server.write("Z/GROSS.PLY", QByteArray(16 * 1024 * 1024 + 1, 'x'));
             return QStringList{description("0", "Z", "Gross.ply$$XDE$$Anna.ply")};
         },
         ExchangeWork::Import,
         "",
         "Nicht importiert wurden:\r\nSpieler „Gross.ply“ der Gruppe „Z“",
         "",
         QStringList{"Laden von „Z/Gross.ply“: Die Datei ist zu groß."},
         {{"Wendrak/ImportierteGruppen/Z/group.sgp", "Anna von Z.ply\r\n"}}},
        {"a listing over the size cap says so",
         [&] {
             server.setListingBytes(QByteArray(16 * 1024 * 1024 + 1, ' '));
             return QStringList();
         },
         ExchangeWork::ListGroups,
         "",
         TransferFailedText() + "Auflisten von „/“: Die Liste ist zu groß.",
         "",
         QStringList(),
         {}},
        // The server ends the stall after four seconds: a client that waits for that, not
        // for its one-second limit, sees a short file instead of the time limit.
        {"a player that stalls past the limit is given up at the limit",
         [&] {
             server.writeGroup("S", "S", {"Anna.ply"}, playerBytes("Anna"));
             server.setStall("ANNA.PLY", 1000, 4);
             setFtpTimeLimits({15000, 1});
             return QStringList{description("0", "S", "Anna.ply")};
         },
         ExchangeWork::Import,
         "",
         TransferFailedText() + "Laden von „S/Anna.ply“: Der Server antwortet nicht "
                                "(Zeitüberschreitung).",
         "",
         QStringList(),
         {{"Wendrak/SpielerStammImport/Anna von S.ply", none}}},
    };
    const FtpTimeLimits limits = ftpTimeLimits();
    rlimit fsize{};
    ::getrlimit(RLIMIT_FSIZE, &fsize);
    std::signal(SIGXFSZ, SIG_IGN);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        server.setListing({});
        server.setStall(QString());
        observer.failures.clear();
        const QStringList files = row.arrange();
        if (row.limitFileSize) {
            rlimit lowered = fsize;
            lowered.rlim_cur = fsizeLimit;
            ::setrlimit(RLIMIT_FSIZE, &lowered);
        }
        EXPECT_EQ(run(row.modus, files, row.group), row.result);
        ::setrlimit(RLIMIT_FSIZE, &fsize);
        setFtpTimeLimits(limits);
        EXPECT_EQ(leftOut, row.leftOut);
        if (row.failures)
            EXPECT_EQ(observer.failures, *row.failures);
        for (const auto& [path, bytes] : row.files) {
            const QString full =
                path.startsWith("ftp:") ? server.root() + path.mid(4) : root.root() + path;
            EXPECT_EQ(QFileInfo::exists(full), !bytes.isNull()) << path.toStdString();
            if (!bytes.isNull())
                EXPECT_EQ(TempRoot::readFile(full), bytes) << path.toStdString();
        }
        if (row.limitFileSize)
            EXPECT_EQ(root.read("Wendrak/SpielerStammImport/Anna von W.ply"), earlier);
    }
    std::signal(SIGXFSZ, SIG_DFL);
}

// One round through the headless driver's exchange command, as a script makes it: the
// server comes from the root's Kemra.ini, names are the descriptions' names.
TEST_F(ExchangeTest, TheHeadlessExchangeCommandPublishesListsShowsAndImports) {
    root.write("Kemra.ini",
               "[Exchange]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(server.port()) +
                   "\r\nUser=" + FtpTestServer::kUser + "\r\nPassword=geheim\r\n");
    QString output, errors;
    const auto headless = [&](QStringList args) {
        args.insert(0, "exchange");
        args.insert(2, "--root");
        args.insert(3, root.root());
        QProcess process;
        process.start(qEnvironmentVariable("WENDRAK_BINARY_DIR") + "/wendrak-headless", args);
        process.waitForFinished(60000);
        output = QString::fromUtf8(process.readAllStandardOutput());
        errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    };
    ASSERT_EQ(headless({"publish", "Mit Blank", "a\\nb", storePlayer("Anna"), storePlayer("Bert")}),
              0)
        << errors.toStdString();
    EXPECT_EQ(output, "Ihre Gruppe wurde exportiert.\n");
    const QString created = platform::IniFile(server.root() + "Mit Blank/DESCRIPTION.INI")
                                .readString("Group", "Created", "");

    EXPECT_EQ(headless({"list"}), 0);
    EXPECT_EQ(output, "Mit Blank\t2\t" + created + "\n");
    EXPECT_EQ(headless({"details", "Mit Blank"}), 0);
    EXPECT_EQ(output,
              "Name=Mit Blank\nCreated=" + created +
                  "\nCount=2\nDescription=a$$XDE$$b\nPlayer=Anna.ply$$XDE$$Bert.ply$$XDE$$\n");

    EXPECT_EQ(headless({"import", "Mit Blank", "Fehlt"}), 1);
    EXPECT_EQ(errors, "Fehler: Die Gruppe „Fehlt“ ist auf dem Server nicht zu finden.\n");
    EXPECT_FALSE(QFileInfo::exists(data() + "ImportierteGruppen/Mit Blank"));
    EXPECT_EQ(headless({"import", "Mit Blank"}), 0);
    EXPECT_EQ(output, "Die gewählte(n) Gruppe(n) wurden importiert.\n");
    EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/Mit Blank/group.sgp"),
              "Anna von Mit Blank.ply\r\nBert von Mit Blank.ply\r\n");

    server.setListing({"drwxr-xr-x 2 1001 1001 4096 Dec 06 22:28 Mit Blank"});
    EXPECT_EQ(headless({"list"}), 1);
    EXPECT_EQ(errors, "Fehler: " + UnreadableListingText() + "\n");
    EXPECT_EQ(headless({"details"}), 64);
}

// A server that takes the connection but never answers gives up after the connect limit.
TEST_F(ExchangeTest, ASilentServerGivesUpAfterTheConnectLimit) {
    const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(silent, 1), 0);
    socklen_t length = sizeof address;
    ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length);

    const FtpTimeLimits before = ftpTimeLimits();
    setFtpTimeLimits({300, 1});
    FtpClient client;
    client.Host = "127.0.0.1";
    client.Port = ntohs(address.sin_port);
    ExchangeWork work(client, observer, data(), data());
    work.Modus = ExchangeWork::ListGroups;
    QElapsedTimer clock;
    clock.start();
    work.Run();
    setFtpTimeLimits(before);
    ::close(silent);
    EXPECT_EQ(work.Ergebnistext, ConnectFailedText());
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(ExchangeSettingsTest, TheServerComesFromTheExchangeSectionWithBuiltInDefaults) {
    TempRoot root;
    const auto server = [&root] {
        const ExchangeServer s = ReadExchangeServer(root.root() + "Kemra.ini");
        return QStringList({s.Host, QString::number(s.Port), s.User, s.Password});
    };
    EXPECT_EQ(server().mid(0, 2), QStringList({"127.0.0.1", "21"}));
    root.write("Kemra.ini", "[exchange]\r\nhost=ftp.example.org\r\nPort=2121\r\nUser=a\r\n"
                            "Password=b\r\n");
    EXPECT_EQ(server(), QStringList({"ftp.example.org", "2121", "a", "b"}));
}

} // namespace
