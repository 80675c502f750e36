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

#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// Readable failure output for texts.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct RecordingObserver : ExchangeObserver {
    QStringList statuses, failures;
    void ShowStatus(const QString& h, const QString& sub) override { statuses << h + "|" + sub; }
    bool CancelRequested() override { return false; }
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
        ApplyExchangeServer(
            {"127.0.0.1", server.port(), FtpTestServer::kUser, FtpTestServer::kPassword}, ftp);
        SetExchangeClock([] { return QDateTime(QDate(2026, 12, 6), QTime(14, 30, 5)); });
    }
    void TearDown() override {
        SetExchangeClock({});
        setFtpTimeLimits({});
    }

    QString data() const { return root.programFolder(); }
    // Runs one transfer as the worker does; returns its result text.
    QString run(int modus, const QStringList& files, const QString& group = QString(),
                const QString& description = QString()) {
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

// A step the server refuses ends the publish with the step and the server's reply.
TEST_F(ExchangeTest, ARefusedLoginOrStepIsReportedAndNeverAsSuccess) {
    ftp.Password = "falsch";
    EXPECT_EQ(run(ExchangeWork::ListGroups, {}), ConnectFailedText());
    ftp.Password = FtpTestServer::kPassword;
    server.write("Neu", "a file where the folder should go");
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna")}, "Neu"),
              TransferFailedText() + "Anlegen des Ordners „Neu“: 550 File exists.");
    // Files are read before the server changes; a break-off after the folder was made says so.
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna"), data()}, "Roh"),
              "Die Datei \"" + data() + "\" wurde nicht gefunden.");
    EXPECT_EQ(run(ExchangeWork::Publish, {root.write("Kurz.ply", "kurz")}, "Roh"),
              "Die Datei \"" + root.root() +
                  "Kurz.ply\" ist keine Spielerdatei: sie enthält 4 "
                  "statt 2400 Bytes.");
    EXPECT_FALSE(server.exists("Roh"));
    server.setRefused("BERT.PLY");
    EXPECT_EQ(run(ExchangeWork::Publish, {storePlayer("Anna"), storePlayer("Bert")}, "Halb"),
              TransferFailedText() + "Senden von „BERT.PLY“: 550 Permission denied.\r\n"
                                     "Der Ordner „Halb“ bleibt unvollständig auf dem Server.");
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

// A published group leaves its upper-cased players, its description and its page on the
// server. Names go there percent-encoded and in Windows-1252, so blanks, umlauts and URL
// characters survive a whole round of publishing, listing and importing.
TEST_F(ExchangeTest, PublishedGroupsRoundTripWithBlanksUmlautsAndUrlCharactersInTheirNames) {
    const QStringList names = {"50% #1?", "Gr\u00fcne J\u00e4ger", "Mit Blank"}; // sorted
    const QStringList players = {storePlayer("Anna"), storePlayer("Bert")};
    for (const QString& name : names)
        ASSERT_EQ(run(ExchangeWork::Publish, players, name, "a\r\nb"), "") << name.toStdString();
    EXPECT_EQ(observer.statuses.value(0), "|ANNA.PLY wird kopiert.");
    EXPECT_EQ(server.read("Mit Blank/ANNA.PLY"), playerBytes("Anna"));
    EXPECT_EQ(server.read("Mit Blank/BERT.PLY"), playerBytes("Bert"));
    EXPECT_EQ(server.read("Mit Blank/DESCRIPTION.INI"),
              "[Group]\r\nName=Mit Blank\r\nCreated=06.12.2026 14:30:05\r\nCount=2\r\n"
              "Description=a$$XDE$$b\r\nPlayer=Anna.ply$$XDE$$Bert.ply$$XDE$$\r\n");
    const QByteArray page = server.read("Mit Blank.html");
    for (const char* part : {"<h1>Mit Blank</h1>", "Erstellt am 06.12.2026 14:30:05",
                             "<p>a<BR>b</p>", "<p>Anna<BR>Bert<BR></p>"})
        EXPECT_TRUE(page.contains(part)) << page.constData();
    server.write("Ohne Beschreibung/ANNA.PLY", playerBytes("Anna"));

    ASSERT_EQ(run(ExchangeWork::ListGroups, {}), "");
    QStringList groups;
    for (const QString& file : listed)
        groups << platform::IniFile(file).readString("Group", "Name", "");
    groups.sort();
    EXPECT_EQ(groups, names);

    ASSERT_EQ(run(ExchangeWork::Import, listed), "");
    for (const QString& name : names) {
        EXPECT_EQ(imported("Bert von " + name + ".ply").Name.get(), "Bert von " + name);
        EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/" + name + "/group.sgp"),
                  platform::toAnsi("Anna von " + name + ".ply\r\nBert von " + name + ".ply\r\n"));
    }
}

// One bad entry never ends a step, and nothing fails silently: hostile names, broken players,
// servers of another kind. Each row arranges the server and the disk, runs one step and checks
// its texts and the files: an import when it has descriptions ("Name|Player value"), else a
// publish of the one player Anna when it has a group name, else a listing. Each server group
// holds Anna. "ftp:" names a file on the server; a null content means "absent".
TEST_F(ExchangeTest, HostileServersAndEntriesAreReportedAndNeverEndAWholeStep) {
    using Files = QList<std::pair<QString, QByteArray>>;
    struct Row {
        const char* what;
        QString group{};
        QStringList descriptions{}, serverGroups{};
        Files before{};
        // the server's listing in place of its own; stall "NAME N S"; greeting delay in seconds
        QByteArray listing{}, stall{}, silent{};
        QString result{}, leftOut{};
        QStringList failures{}; // the start of each failure shown
        Files after{};
        bool limitFileSize = false; // below one player record
    };
    const QByteArray dos = "12-06-26  02:30PM       <DIR>          ";
    const QByteArray none, anna = playerBytes("Anna"), big(16 * 1024 * 1024 + 1, ' ');
    const QByteArray gut = "[Group]\r\nName=Gut\r\nCount=1\r\nPlayer=Anna.ply$$XDE$$\r\n";
    const QString longName(300, 'x'), notImported = "Nicht importiert wurden:\r\n";
    const QString store = "Wendrak/SpielerStammImport/", groups = "Wendrak/ImportierteGruppen/";
    const QList<Row> rows = {
        {.what = "a Unix listing is not taken for an empty one, nor does publishing go on",
         .group = "Probe",
         .listing = "drwxr-xr-x 2 1001 1001 4096 Dec 06 22:28 Probe Gruppe\r\n",
         .result = UnreadableListingText(),
         .after = {{"ftp:Probe", none}}},
        {.what = "a DOS listing's entries other than folders are skipped, its folders read",
         .serverGroups = {"Gut"},
         .listing = "12-06-2026  14:30                 2400 X.PLY\r\n \r\n\r\n12-06-26  02:30PM  "
                    "<SYMLINKD>  L [x]\r\n12-06-26  02:30PM  <JUNCTION>  J\r\n12-06-26  02:30PM  "
                    "2,400 Y.PLY\r\n12-06-26  02:30PM  2.400 Z.PLY\r\n" +
                    dos + "Gut\r\n",
         .after = {{"Wendrak/Temp/DESCRIPTION0.ini", gut}}},
        {.what = "a folder the listing does not show after MKD gets no players and no page",
         .group = "Neu",
         .listing = "12-06-26  02:30PM                 2400 X.PLY\r\n",
         .result = GroupNotCreatedText(),
         .after = {{"ftp:Neu.html", none}, {"ftp:Neu/ANNA.PLY", none}}},
        {.what = "the name test runs over folder names, not over whole lines",
         .group = "DIR",
         .serverGroups = {"Test2"},
         .after = {{"ftp:DIR/ANNA.PLY", anna}}},
        {.what = "a name inside another group's name is taken",
         .group = "Test",
         .serverGroups = {"Test2"},
         .result = GroupExistsText(),
         .after = {{"ftp:Test", none}, {"ftp:Test.html", none}}},
        {.what = "a name that cannot be a file is not sent",
         .group = "../x",
         .result = platform::UnusableNameMessage()},
        {.what = "folder names with control characters are left out and named, the others listed",
         .serverGroups = {"Gut"},
         .listing = dos + "B\x1fs\x7f" + "e\r\n" + dos + "Gut\r\n" + dos + "Nu" + '\0' + "ll\r\n",
         .leftOut = "Diese Gruppen auf dem Server haben Steuerzeichen im Namen und fehlen in der "
                    "Liste:\r\n„B?s?e“\r\n„Nu?ll“",
         .after = {{"Wendrak/Temp/DESCRIPTION1.ini", gut}}},
        {.what = "names from the server never reach outside the import folders, a short player "
                 "never enters the store",
         .descriptions = {"../../Wendrak|a.ply", "|a.ply",
                          "G|../../../x.ply$$XDE$$Kurz.ply$$XDE$$Fehlt.ply$$XDE$$Anna.ply"},
         .serverGroups = {"G"},
         .before = {{"ftp:G/KURZ.PLY", anna.left(100)},
                    {"ftp:x.ply", anna},
                    {groups + "Eigen/group.sgp", "Anna von G.ply\r\n"}},
         .result = notImported + "Gruppe „../../Wendrak“\r\nGruppe „“\r\n"
                                 "Spieler „../../../x.ply“ der Gruppe „G“\r\n"
                                 "Spieler „Kurz.ply“ der Gruppe „G“\r\n"
                                 "Spieler „Fehlt.ply“ der Gruppe „G“",
         .failures = {"Die Gruppe „../../Wendrak“ wird nicht importiert: ",
                      "Die Gruppe „“ wird nicht importiert: ", "„../../../x.ply“ der Gruppe „G“: ",
                      "„Kurz.ply“ der Gruppe „G“ ist keine vollständige Spielerdatei.",
                      "Laden von „G/Fehlt.ply“: 550 "},
         .after = {{groups + "Eigen/group.sgp", "Anna von G.ply\r\n"},
                   {groups + "G/group.sgp", "Anna von G.ply\r\n"},
                   {store + "Kurz von G.ply", none},
                   {"x von G.ply", none}}},
        {.what = "importing again empties the group folder and replaces the players",
         .descriptions = {"E|Anna.ply", "F|"}, // an empty "Player" value: an empty group
         .serverGroups = {"E"},
         .before = {{groups + "E/alt.ply", "alt"},
                    {groups + "E/group.sgp", "Anna von E.ply\r\n"},
                    {groups + "F/alt.ply", "alt"},
                    {store + "Anna von E.ply", "kaputt"}},
         .after = {{groups + "E/alt.ply", none},
                   {groups + "F/alt.ply", none},
                   {groups + "F/group.sgp", ""},
                   {groups + "E/group.sgp", "Anna von E.ply\r\n"},
                   {store + "Anna von E.ply", playerBytes("Anna von E")}}},
        {.what = "a group whose folder cannot be made is named, the next one imported",
         .descriptions = {longName + "|Anna.ply", "L|Anna.ply"},
         .serverGroups = {"L"},
         .result = notImported + "Gruppe „" + longName + "“",
         .failures = {"Die Gruppe „" + longName +
                      "“ wird nicht importiert: Ihr Ordner kann nicht angelegt werden."},
         .after = {{groups + "L/group.sgp", "Anna von L.ply\r\n"}}},
        {.what = "a player whose file another player of the import or another imported group "
                 "has (in any case) is named, not imported, and the file stays",
         .descriptions = {"C|Anna.ply$$XDE$$anna.PLY$$XDE$$Anna.txt", "C von B|Anna.ply"},
         .serverGroups = {"C", "C von B"},
         .before = {{groups + "B/group.sgp", "anna VON c von b.PLY\r\n"},
                    {store + "Anna von C von B.ply", "B"}},
         .result = notImported + "Spieler „anna.PLY“ der Gruppe „C“\r\n"
                                 "Spieler „Anna.txt“ der Gruppe „C“\r\n"
                                 "Spieler „Anna.ply“ der Gruppe „C von B“",
         .failures = {"„anna.PLY“ der Gruppe „C“: Ein anderer Spieler dieses Imports steht schon "
                      "in „Anna von C.ply“.",
                      "„Anna.txt“ der Gruppe „C“: Ein anderer Spieler dieses Imports steht schon "
                      "in „Anna von C.ply“.",
                      "„Anna.ply“ der Gruppe „C von B“: „Anna von C von B.ply“ gehört schon zur "
                      "Gruppe „B“."},
         .after = {{groups + "C/group.sgp", "Anna von C.ply\r\n"},
                   {store + "Anna von C von B.ply", "B"}}},
        {.what = "groups whose folders differ only in case: the second is named, not imported",
         .descriptions = {"same|Anna.ply", "Same|Anna.ply"},
         .serverGroups = {"same"},
         .result = notImported + "Gruppe „Same“",
         .failures = {"Die Gruppe „Same“ wird nicht importiert: Eine andere Gruppe dieses Imports "
                      "hat denselben Ordner „same“."},
         .after = {{groups + "same/group.sgp", "Anna von same.ply\r\n"}}},
        {.what = "a re-import whose players all fail keeps the earlier group file; a new one gets "
                 "none",
         .descriptions = {"R|Fehlt.ply", "N|Fehlt.ply"},
         .before = {{groups + "R/group.sgp", "Anna von R.ply\r\n"}},
         .result = notImported + "Spieler „Fehlt.ply“ der Gruppe „R“\r\n"
                                 "Spieler „Fehlt.ply“ der Gruppe „N“",
         .failures = {"Laden von „R/Fehlt.ply“: 550 ", "Laden von „N/Fehlt.ply“: 550 "},
         .after = {{groups + "R/group.sgp", "Anna von R.ply\r\n"}, {groups + "N/group.sgp", none}}},
        {.what = "a player that cannot be written whole leaves the earlier one byte for byte",
         .descriptions = {"W|Anna.ply"},
         .serverGroups = {"W"},
         .before = {{store + "Anna von W.ply", "alt"}},
         .result = notImported + "Spieler „Anna.ply“ der Gruppe „W“",
         .failures = {"Die Datei "},
         .after = {{store + "Anna von W.ply", "alt"}},
         .limitFileSize = true},
        {.what = "a file over the size cap is refused, the group goes on",
         .descriptions = {"Z|Gross.ply$$XDE$$Anna.ply"},
         .serverGroups = {"Z"},
         .before = {{"ftp:Z/GROSS.PLY", big}},
         .result = notImported + "Spieler „Gross.ply“ der Gruppe „Z“",
         .failures = {"Laden von „Z/Gross.ply“: Die Datei ist zu groß."},
         .after = {{groups + "Z/group.sgp", "Anna von Z.ply\r\n"}}},
        {.what = "a listing over the size cap says so",
         .listing = big,
         .result = TransferFailedText() + "Auflisten von „/“: Die Liste ist zu groß."},
        // The server ends the stall and the silence after four seconds: a client that waits for
        // that, not for its one-second limit, sees a broken transfer or the groups instead.
        {.what = "a server that takes the connection but stays silent past the limit is given "
                 "up at the limit",
         .silent = "4",
         .result = ConnectFailedText()},
        {.what = "a player that stalls past the limit is given up at the limit, a re-import "
                 "broken off keeps the earlier group",
         .descriptions = {"S|Anna.ply$$XDE$$Bert.ply"},
         .serverGroups = {"S"},
         .before = {{"ftp:S/BERT.PLY", anna}, {groups + "S/group.sgp", "Alt von S.ply\r\n"}},
         .stall = "BERT.PLY 1000 4",
         .result = TransferFailedText() +
                   "Laden von „S/Bert.ply“: Der Server antwortet nicht (Zeitüberschreitung).",
         .after = {{store + "Anna von S.ply", playerBytes("Anna von S")},
                   {groups + "S/group.sgp", "Alt von S.ply\r\n"}}},
        {.what = "a player that ends short of its announced size is a broken transfer",
         .descriptions = {"P|Anna.ply"},
         .serverGroups = {"P"},
         .stall = "ANNA.PLY 1000 0",
         .result = TransferFailedText() +
                   "Laden von „P/Anna.ply“: Die Übertragung ist vor ihrem Ende abgebrochen.",
         .after = {{store + "Anna von P.ply", none}}},
        {.what = "a description that cannot be kept here ends the listing with the file's message",
         .serverGroups = {"Gut"},
         .before = {{"Wendrak/Temp/DESCRIPTION0.ini/x", "ein Ordner im Weg"}},
         .listing = dos + "Gut\r\n",
         .result =
             "Die Datei \"" + data() + "Temp/DESCRIPTION0.ini\" kann nicht geschrieben werden."},
    };
    rlimit fsize{};
    ::getrlimit(RLIMIT_FSIZE, &fsize);
    std::signal(SIGXFSZ, SIG_IGN);
    const auto path = [this](const QString& name) {
        return name.startsWith("ftp:") ? server.root() + name.mid(4) : root.root() + name;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QStringList files;
        for (const QString& group : row.serverGroups) {
            server.write(group + "/DESCRIPTION.INI",
                         "[Group]\r\nName=" + group.toLatin1() +
                             "\r\nCount=1\r\nPlayer=Anna.ply$$XDE$$\r\n");
            server.write(group + "/ANNA.PLY", anna);
        }
        for (const auto& [name, bytes] : row.before)
            TempRoot::writeFile(path(name), bytes);
        for (const QString& d : row.descriptions)
            files << root.write("Wendrak/Temp/" + QString::number(files.size()) + ".ini",
                                "[Group]\r\nName=" + platform::toAnsi(d.section('|', 0, 0)) +
                                    "\r\nPlayer=" + platform::toAnsi(d.section('|', 1)) + "\r\n");
        const int modus = !files.isEmpty()       ? ExchangeWork::Import
                          : !row.group.isEmpty() ? ExchangeWork::Publish
                                                 : ExchangeWork::ListGroups;
        if (modus == ExchangeWork::Publish)
            files << storePlayer("Anna");
        server.setListing(row.listing);
        server.setStall(row.stall);
        server.setSilent(row.silent);
        setFtpTimeLimits(row.stall.isEmpty() && row.silent.isEmpty() ? FtpTimeLimits{}
                                                                     : FtpTimeLimits{15000, 1});
        rlimit lowered = fsize;
        lowered.rlim_cur = row.limitFileSize ? 2000 : fsize.rlim_cur;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
        observer.failures.clear();
        EXPECT_EQ(run(modus, files, row.group), row.result);
        ::setrlimit(RLIMIT_FSIZE, &fsize);
        EXPECT_EQ(leftOut, row.leftOut);
        QStringList shown;
        for (int i = 0; i < observer.failures.size(); ++i)
            shown << observer.failures[i].left(row.failures.value(i).size());
        EXPECT_EQ(shown, row.failures);
        for (const auto& [name, bytes] : row.after)
            EXPECT_EQ(QFileInfo::exists(path(name)) ? TempRoot::readFile(path(name)) : "(fehlt)",
                      bytes.isNull() ? "(fehlt)" : bytes)
                << name.toStdString();
    }
    std::signal(SIGXFSZ, SIG_DFL);
}

// One round through the headless driver's exchange command, as a script makes it: the
// server comes from the root's Kemra.ini, names are the descriptions' names. Each call gives
// its exit code, stdout and stderr.
TEST_F(ExchangeTest, TheHeadlessExchangeCommandPublishesListsShowsAndImports) {
    root.write("Kemra.ini",
               "[Exchange]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(server.port()) +
                   "\r\nUser=" + FtpTestServer::kUser + "\r\nPassword=geheim\r\n");
    const auto headless = [this](const QStringList& args) {
        QProcess process;
        process.start(qEnvironmentVariable("WENDRAK_BINARY_DIR") + "/wendrak-headless",
                      QStringList{"exchange", args[0], "--root", root.root()} + args.mid(1));
        process.waitForFinished(60000);
        return QString::number(process.exitCode()) + " " + process.readAllStandardOutput() +
               process.readAllStandardError();
    };
    EXPECT_EQ(headless({"publish", "Mit Blank", "a\\nb", storePlayer("Anna"), storePlayer("Bert")}),
              "0 Ihre Gruppe wurde exportiert.\n");
    const QString created = platform::IniFile(server.root() + "Mit Blank/DESCRIPTION.INI")
                                .readString("Group", "Created", "");
    EXPECT_EQ(headless({"list"}), "0 Mit Blank\t2\t" + created + "\n");
    EXPECT_EQ(headless({"details", "Mit Blank"}),
              "0 Name=Mit Blank\nCreated=" + created +
                  "\nCount=2\nDescription=a$$XDE$$b\nPlayer=Anna.ply$$XDE$$Bert.ply$$XDE$$\n");
    EXPECT_EQ(headless({"import", "Mit Blank", "Fehlt"}),
              "1 Fehler: Die Gruppe „Fehlt“ ist auf dem Server nicht zu finden.\n");
    EXPECT_FALSE(QFileInfo::exists(data() + "ImportierteGruppen/Mit Blank"));
    EXPECT_EQ(headless({"import", "Mit Blank"}),
              "0 Die gewählte(n) Gruppe(n) wurden importiert.\n");
    EXPECT_EQ(root.read("Wendrak/ImportierteGruppen/Mit Blank/group.sgp"),
              "Anna von Mit Blank.ply\r\nBert von Mit Blank.ply\r\n");
    server.setListing("drwxr-xr-x 2 1001 1001 4096 Dec 06 22:28 Mit Blank\r\n");
    EXPECT_EQ(headless({"list"}), "1 Fehler: " + UnreadableListingText() + "\n");
    EXPECT_TRUE(headless({"details"}).startsWith("64 "));
}

TEST(ExchangeSettingsTest, TheServerComesFromTheExchangeSectionWithBuiltInDefaults) {
    TempRoot root;
    const auto server = [&root] {
        const ExchangeServer s = ReadExchangeServer(root.root() + "Kemra.ini");
        return QStringList({s.Host, QString::number(s.Port), s.User, s.Password});
    };
    EXPECT_EQ(server().mid(0, 2), QStringList({"127.0.0.1", "21"}));
    root.write("Kemra.ini", "[exchange]\r\nhost=ftp.example.org\r\nPort=65535\r\nUser=a\r\n"
                            "Password=b\r\n");
    EXPECT_EQ(server(), QStringList({"ftp.example.org", "65535", "a", "b"}));
}

} // namespace
