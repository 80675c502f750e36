// The player exchange against a real FTP server on 127.0.0.1: publishing, listing, importing,
// and what happens when the server refuses, goes away or offers hostile names.
#include "players/Exchange.h"

#include "FtpTestServer.h"
#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/IniFile.h"
#include "platform/NameCheck.h"
#include "players/PlayerFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>

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
    EXPECT_EQ(observer.statuses.first(), "|ANNA.PLY wird kopiert.");
}

// The check is a substring test over the listing: "Test" is taken while "Test2" exists.
TEST_F(ExchangeTest, PublishingIsRefusedWhenTheNameOccursInTheListing) {
    server.write("Test2/DESCRIPTION.INI", "[Group]\r\nName=Test2\r\n");
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, "Test"), GroupExistsText());
    EXPECT_FALSE(server.exists("Test"));
    EXPECT_FALSE(server.exists("Test.html"));
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, "../x"),
              platform::UnusableNameMessage());
}

// A step the server refuses ends the publish with the step and the server's reply.
TEST_F(ExchangeTest, ARefusedLoginOrStepIsReportedAndNeverAsSuccess) {
    EXPECT_EQ(run(ExchangeWork::ListGroups, {}, "", "", "falsch"), ConnectFailedText());
    server.write("Neu", "a file where the folder should go");
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, "Neu"),
              TransferFailedText() + "Anlegen des Ordners „Neu“: 550 File exists.");
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
