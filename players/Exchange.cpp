// The player exchange's work on the server (see Exchange.h).
#include "players/Exchange.h"

#include "platform/Ansi.h"
#include "platform/IniFile.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"
#include "players/PlayerFile.h"
#include "players/uTGroup.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cstring>

namespace {

const QString kLineBreak = QStringLiteral("$$XDE$$");
const QString kCrLf = QStringLiteral("\r\n");
const QString kDirMark = QStringLiteral("<DIR>");

std::function<ExchangeEnvironment()> g_environmentReader;
std::function<QDateTime()> g_clock;

// Deletes the files of folder that match mask, all but the one named keep.
void deleteMatching(const QString& folder, const QString& mask, const QString& keep = {}) {
    const QString dir = platform::withTrailingSlash(platform::resolvePath(folder));
    for (const QString& name : platform::listFolder(dir, mask, platform::ListKind::Files))
        if (name != keep)
            platform::deleteFile(dir + name);
}

// A failure that is no broken transfer (a file on this machine, a listing of another form):
// its message stands alone.
class PlainFailure : public WendrakError {
public:
    using WendrakError::WendrakError;
};

// Runs a step on this machine's files; its failure ends the work with the file layer's
// message.
template <class Step>
auto onDisk(Step&& step) {
    try {
        return step();
    } catch (const WendrakError& e) {
        throw PlainFailure(e.message());
    }
}

// The players that the group files of the imported groups beside folder name, each as the
// lookup finds it, with the group that names it.
QHash<QString, QString> playersOfOtherGroups(const TGroup& groups, const QString& store,
                                             const QString& folder) {
    const QString parent = platform::extractFilePath(folder.chopped(1));
    QHash<QString, QString> owners;
    for (const QString& name :
         platform::listFolder(parent, QStringLiteral("*"), platform::ListKind::Folders)) {
        if (parent + name + QLatin1Char('/') == folder)
            continue;
        try {
            for (const QString& member : groups.ReadGroupFile(parent + name, {store}))
                owners.insert(platform::resolvePath(store + member), name);
        } catch (const WendrakError&) {
            // A group file that cannot be read names no player.
        }
    }
    return owners;
}

// Only a to z change, as the server's names have always been made.
QString upperAsciiLetters(QString name) {
    for (QChar& c : name)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return name;
}

} // namespace

ExchangeServer ReadExchangeServer(const QString& iniFile) {
    const platform::IniFile ini(platform::resolvePath(platform::toSlashes(iniFile)));
    const QString section = QStringLiteral("Exchange");
    ExchangeServer server;
    server.Host = ini.readString(section, QStringLiteral("Host"), QStringLiteral("127.0.0.1"));
    bool ok = false;
    const int port = ini.readString(section, QStringLiteral("Port"), QString()).toInt(&ok);
    server.Port = ok && port > 0 && port < 65536 ? port : 21;
    server.User = ini.readString(section, QStringLiteral("User"), QStringLiteral("u4402735"));
    server.Password =
        ini.readString(section, QStringLiteral("Password"), QStringLiteral("KbwRte41"));
    return server;
}

void ApplyExchangeServer(const ExchangeServer& server, FtpClient& ftp) {
    ftp.Host = server.Host;
    ftp.Port = server.Port;
    ftp.Username = server.User;
    ftp.Password = server.Password;
}

void SetExchangeEnvironmentReader(std::function<ExchangeEnvironment()> reader) {
    g_environmentReader = std::move(reader);
}

ExchangeEnvironment ReadExchangeEnvironment() {
    if (g_environmentReader)
        return g_environmentReader();
    ExchangeEnvironment environment;
    environment.WendrakPath = platform::programFolder();
    environment.Server =
        ReadExchangeServer(QDir::cleanPath(platform::programFolder() + QStringLiteral("..")) +
                           QStringLiteral("/Kemra.ini"));
    return environment;
}

QString ExchangeTimestamp() {
    const QDateTime now = g_clock ? g_clock() : QDateTime::currentDateTime();
    return now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

void SetExchangeClock(std::function<QDateTime()> clock) {
    g_clock = std::move(clock);
}

QString ExportedText() {
    return QStringLiteral("Ihre Gruppe wurde exportiert.");
}
QString ImportedText() {
    return QStringLiteral("Die gewählte(n) Gruppe(n) wurden importiert.");
}
QString CancelledText() {
    return QStringLiteral("Die Datenübertragung wurde abgebrochen.");
}
QString ConnectFailedText() {
    return QStringLiteral("Fehler beim Verbinden.");
}
QString GroupExistsText() {
    return QStringLiteral("Eine Gruppe mit diesem Namen existiert bereits.\r\n"
                          "Bitte wählen Sie einen anderen Namen.");
}
QString TransferFailedText() {
    return QStringLiteral("Fehler beim Übertragen: ");
}
QString GroupNotCreatedText() {
    return QStringLiteral("Gruppe konnte nicht erstellt wereden.");
}
QString UnreadableListingText() {
    return QStringLiteral("Die Liste der Ordner auf dem Server kann nicht gelesen werden.\r\n"
                          "Die Spielerbörse braucht einen Server, der Ordner mit „<DIR>“ "
                          "auflistet.");
}

GroupDescription ReadGroupDescription(const QString& descriptionFile) {
    const platform::IniFile ini(platform::resolvePath(platform::toSlashes(descriptionFile)));
    const auto value = [&ini](const char* key) {
        return ini.readString(QStringLiteral("Group"), QString::fromLatin1(key), QString());
    };
    return {value("Name"), value("Created"), value("Count"), value("Description"), value("Player")};
}

QString ExpandLineBreaks(const QString& value) {
    return QString(value).replace(kLineBreak, kCrLf);
}

void EmptyExchangeTemp(const QString& programFolder) {
    deleteMatching(platform::withTrailingSlash(programFolder) + QStringLiteral("Temp/"),
                   QStringLiteral("*.*"));
}

QString ParseListingName(const QString& line) {
    const qsizetype at = line.lastIndexOf(kDirMark);
    return (at < 0 ? line : line.mid(at + kDirMark.size())).trimmed();
}

bool IsDosListingLine(const QString& line) {
    // "12-06-26  02:30PM       <DIR>          Name" or "...  2400 NAME.PLY"; a four-digit
    // year and a 24-hour time are the same form, and so are marks such as "<SYMLINKD>" and
    // sizes such as "2,400" or "2.400".
    static const QRegularExpression form(
        QStringLiteral(R"(^\d\d-\d\d-\d\d(\d\d)? +\d\d?:\d\d *([AP]M)? +)"
                       R"((<[^>]+>|\d{1,3}([.,]\d{3})+|\d+) +\S)"),
        QRegularExpression::CaseInsensitiveOption);
    return form.match(line).hasMatch();
}

ExchangeWork::ExchangeWork(FtpClient& ftp, ExchangeObserver& observer, const QString& programFolder,
                           const QString& wendrakPath)
    : m_ftp(ftp), m_observer(observer), m_programFolder(platform::withTrailingSlash(programFolder)),
      m_wendrakPath(platform::withTrailingSlash(wendrakPath)) {}

QString ExchangeWork::tempFolder() const {
    return m_programFolder + QStringLiteral("Temp/");
}

void ExchangeWork::Run() {
    Ergebnistext.clear();
    try {
        switch (Modus) {
        case Publish:
            // The name becomes a folder on the server and a file here.
            if (!platform::IsUsableFileName(Gruppenname))
                Ergebnistext = platform::UnusableNameMessage();
            else {
                readFilesToSend();
                if (SetConnected(true))
                    publish();
            }
            break;
        case Import:
            if (SetConnected(true))
                ImportGroups();
            break;
        case ListGroups:
            if (SetConnected(true)) {
                ListRemote(kDirMark);
                DownloadGroupDescriptions();
            }
            break;
        default:
            break;
        }
    } catch (const PlainFailure& e) {
        Ergebnistext = e.message();
    } catch (const WendrakError& e) {
        Ergebnistext = TransferFailedText() + e.message();
    } catch (const std::exception& e) {
        Ergebnistext = TransferFailedText() + QString::fromLocal8Bit(e.what());
    }
    SetConnected(false);
}

bool ExchangeWork::SetConnected(bool on) {
    if (!on) {
        m_ftp.Disconnect();
        return true;
    }
    try {
        m_ftp.Connect();
    } catch (const WendrakError&) {
        Ergebnistext = ConnectFailedText();
        return false;
    }
    return true;
}

void ExchangeWork::publish() {
    if (RemoteFolderExists(Gruppenname)) {
        Ergebnistext = GroupExistsText();
        return;
    }
    WriteDescriptionIni();
    UploadGroup();
    if (Ergebnistext.isEmpty()) // no page for a group the server did not create
        PublishGroupPage();
}

void ExchangeWork::ListRemote(const QString& filter) {
    Verzeichnisliste.clear();
    for (const QString& line : m_ftp.List()) {
        if (line.trimmed().isEmpty())
            continue;
        // Read in another form, a listing would hide its folders: no group found, and a
        // folder just made not seen.
        if (!IsDosListingLine(line))
            throw PlainFailure(UnreadableListingText());
        if (line.contains(filter))
            Verzeichnisliste << line;
    }
}

// The substring test runs over the folder names, not over the dates and sizes around them.
bool ExchangeWork::RemoteFolderExists(const QString& name) {
    ListRemote(kDirMark);
    QStringList names;
    for (const QString& line : Verzeichnisliste)
        names << ParseListingName(line);
    return names.join(kCrLf).contains(name);
}

void ExchangeWork::WriteDescriptionIni() {
    platform::forceFolders(tempFolder());
    const QString path = platform::pathForCreate(tempFolder() + QStringLiteral("Description.ini"));
    platform::deleteFile(path);
    QString players;
    for (const QString& file : Dateien)
        players += platform::extractFileName(platform::toSlashes(file)) + kLineBreak;
    {
        platform::IniFile ini(path);
        const QString section = QStringLiteral("Group");
        ini.writeString(section, QStringLiteral("Name"), Gruppenname);
        ini.writeString(section, QStringLiteral("Created"), ExchangeTimestamp());
        ini.writeString(section, QStringLiteral("Count"), QString::number(Dateien.size()));
        ini.writeString(section, QStringLiteral("Description"),
                        QString(Beschreibung).replace(kCrLf, kLineBreak));
        ini.writeString(section, QStringLiteral("Player"), players);
        ini.updateFile();
    }
    Dateien << path;
    m_sending << platform::readFileBytes(path);
}

void ExchangeWork::readFilesToSend() {
    m_sending.clear();
    for (const QString& file : Dateien) {
        const QString path = platform::toSlashes(file);
        const QByteArray bytes = onDisk([&path] { return platform::readFileBytes(path); });
        // The import takes nothing else; a group with such a file could never be imported.
        if (bytes.size() != static_cast<qsizetype>(sizeof(SpielerTyp)))
            throw PlainFailure(
                QStringLiteral("Die Datei \"%1\" ist keine Spielerdatei: sie enthält %2 statt "
                               "%3 Bytes.")
                    .arg(file)
                    .arg(bytes.size())
                    .arg(sizeof(SpielerTyp)));
        m_sending << bytes;
    }
}

void ExchangeWork::UploadGroup() {
    m_ftp.MakeDir(Gruppenname);
    // The description goes last: until it stands, the folder is no group to the listing, and
    // its name is taken.
    try {
        if (!RemoteFolderExists(Gruppenname)) {
            Ergebnistext = GroupNotCreatedText();
            return;
        }
        m_ftp.ChangeDir(Gruppenname);
        for (int i = 0; i < Dateien.size(); ++i) {
            const QString name =
                upperAsciiLetters(platform::extractFileName(platform::toSlashes(Dateien[i])));
            m_observer.ShowStatus(QString(), name + QStringLiteral(" wird kopiert."));
            m_ftp.PutBytes(m_sending.value(i), name);
        }
    } catch (const WendrakError& e) {
        throw WendrakError(e.message() + kCrLf +
                           QStringLiteral("Der Ordner „%1“ bleibt unvollständig auf dem Server.")
                               .arg(Gruppenname));
    }
}

void ExchangeWork::PublishGroupPage() {
    const QString folder = m_wendrakPath + QStringLiteral("Temp/");
    const QString pageName = Gruppenname + QStringLiteral(".html");
    m_observer.ShowStatus(QString(), QStringLiteral("Ihre persönliche Seite wird erstellt"));
    m_ftp.ChangeDir(QStringLiteral(".."));
    platform::forceFolders(folder);
    const QString local = platform::pathForCreate(folder + pageName);
    platform::deleteFile(local);
    try {
        m_ftp.Get(QStringLiteral("Default.html"), local);
    } catch (const WendrakError&) {
        if (!m_ftp.Connected())
            throw;
        return; // no template on the server: no page
    }
    Beschreibung.replace(kCrLf, QStringLiteral("<BR>"));
    QString players;
    for (const QString& file : Dateien) {
        const QString name = platform::extractFileName(platform::toSlashes(file));
        if (platform::extractFileExt(name).toLower() != QStringLiteral(".ini"))
            players += platform::changeFileExt(name, QString()) + QStringLiteral("<BR>");
    }
    QString page = platform::fromAnsi(platform::readFileBytes(local));
    page.replace(QStringLiteral("%GROUPNAME%"), Gruppenname);
    page.replace(QStringLiteral("%DATECREATE%"), ExchangeTimestamp());
    page.replace(QStringLiteral("%DESCRIPTION%"), Beschreibung);
    page.replace(QStringLiteral("%PLAYERS%"), players);
    platform::writeFileBytes(local, platform::toAnsi(page));
    m_ftp.Put(local, pageName);
}

void ExchangeWork::DownloadGroupDescriptions() {
    platform::forceFolders(tempFolder());
    deleteMatching(tempFolder(), QStringLiteral("*.ini"));
    QStringList leftOut;
    for (int i = 0; i < Verzeichnisliste.size(); ++i) {
        const QString name = ParseListingName(Verzeichnisliste[i]);
        // A name that cannot become an address is left out before it is sent; the other
        // groups are listed.
        if (!IsSendableName(name)) {
            leftOut << QStringLiteral("„%1“").arg(PrintableName(name));
            continue;
        }
        m_observer.ShowStatus(QString(), QStringLiteral("Gruppeninformationen werden geladen."));
        const QString local =
            platform::pathForCreate(tempFolder() + QStringLiteral("DESCRIPTION%1.ini").arg(i));
        QByteArray bytes;
        try {
            bytes = m_ftp.GetBytes(name + QStringLiteral("\\DESCRIPTION.INI"));
        } catch (const WendrakError&) {
            // A group without a readable description is not offered; a lost connection
            // ends the listing.
            if (!m_ftp.Connected())
                throw;
            continue;
        }
        // A description that cannot be kept here is no group missing on the server.
        onDisk([&] { platform::writeFileBytes(local, bytes); });
        Dateien << local;
    }
    if (!leftOut.isEmpty())
        LeftOutText = QStringLiteral("Diese Gruppen auf dem Server haben Steuerzeichen im Namen "
                                     "und fehlen in der Liste:") +
                      kCrLf + leftOut.join(kCrLf);
}

void ExchangeWork::ImportGroups() {
    const TGroup groups;
    const QString store = m_wendrakPath + QStringLiteral("SpielerStammImport/");
    QStringList leftOut;
    // Folders and files this import wrote, as the case-insensitive lookup finds them: a
    // second name that maps to one of them would overwrite what the first brought.
    QSet<QString> usedFolders, usedFiles;
    const auto refuseGroup = [&](const QString& group, const QString& why) {
        m_observer.ShowFailure(
            QStringLiteral("Die Gruppe „%1“ wird nicht importiert: %2").arg(group, why));
        leftOut << QStringLiteral("Gruppe „%1“").arg(group);
    };
    for (const QString& description : Dateien) {
        const GroupDescription read = ReadGroupDescription(description);
        const QString& group = read.Name;
        // The name becomes a folder below "ImportierteGruppen" and part of every player's
        // file name; a name that would reach elsewhere (or the folder itself) is refused.
        if (!platform::IsUsableFileName(group)) {
            refuseGroup(group, platform::UnusableNameMessage());
            continue;
        }
        const QString folder = platform::withTrailingSlash(
            platform::pathForCreate(m_wendrakPath + QStringLiteral("ImportierteGruppen/") + group));
        if (usedFolders.contains(folder)) {
            refuseGroup(group, QStringLiteral("Eine andere Gruppe dieses Imports hat denselben "
                                              "Ordner „%1“.")
                                   .arg(platform::extractFileName(folder.chopped(1))));
            continue;
        }
        if (!platform::forceFolders(folder)) {
            refuseGroup(group, QStringLiteral("Ihr Ordner kann nicht angelegt werden."));
            continue;
        }
        usedFolders << folder;

        QStringList players = ExpandLineBreaks(read.Player).split(kCrLf);
        if (!players.isEmpty() && players.last().isEmpty())
            players.removeLast();

        // Another group's player that this group's names reach stays that group's.
        const QHash<QString, QString> owners = playersOfOtherGroups(groups, store, folder);
        QStringList members;
        for (int j = 0; j < players.size(); ++j) {
            if (m_observer.CancelRequested()) {
                Ergebnistext = CancelledText();
                return;
            }
            const QString& player = players[j];
            const QString localName = platform::changeFileExt(player, QString()) +
                                      QStringLiteral(" von ") + group + QLatin1String(ext::Ply);
            try {
                const QString which = QStringLiteral("„%1“ der Gruppe „%2“: ").arg(player, group);
                if (!platform::IsUsableFileName(player))
                    throw WendrakError(which + platform::UnusableNameMessage());
                const QString target = platform::pathForCreate(store + localName);
                if (usedFiles.contains(target))
                    throw WendrakError(which + QStringLiteral("Ein anderer Spieler dieses Imports "
                                                              "steht schon in „%1“.")
                                                   .arg(platform::extractFileName(target)));
                if (owners.contains(target) && platform::fileExists(target))
                    throw WendrakError(
                        which + QStringLiteral("„%1“ gehört schon zur Gruppe „%2“.")
                                    .arg(platform::extractFileName(target), owners.value(target)));
                const QByteArray bytes = m_ftp.GetBytes(group + QLatin1Char('/') + player);
                if (bytes.size() != static_cast<qsizetype>(sizeof(SpielerTyp)))
                    throw WendrakError(
                        QStringLiteral("„%1“ der Gruppe „%2“ ist keine vollständige Spielerdatei.")
                            .arg(player, group));
                SpielerTyp record;
                std::memcpy(&record, bytes.constData(), sizeof record);
                record.Dateiname.set(localName);
                record.Name.set(platform::changeFileExt(localName, QString()));
                platform::forceFolders(store);
                writePlayerFile(target, record);
                usedFiles << target;
                members << localName;
                m_observer.ShowStatus(
                    QStringLiteral("Spieler %1 von %2 wird kopiert").arg(j + 1).arg(players.size()),
                    localName);
            } catch (const WendrakError& e) {
                if (!m_ftp.Connected())
                    throw;
                m_observer.ShowFailure(e.message());
                leftOut << QStringLiteral("Spieler „%1“ der Gruppe „%2“").arg(player, group);
            }
        }
        // A group whose every player failed keeps its earlier group file (or gets none); an
        // empty "Player" value makes an empty one.
        if (!players.isEmpty() && members.isEmpty())
            continue;
        // The earlier group file is replaced whole, and the folder's other files go only once
        // the new one stands: a group never loses its group file to a break-off.
        try {
            const QString groupFile = platform::pathForCreate(folder + QStringLiteral("group.sgp"));
            groups.SaveGroupFile(groupFile, members);
            deleteMatching(folder, QStringLiteral("*.*"), platform::extractFileName(groupFile));
        } catch (const WendrakError& e) {
            refuseGroup(group, e.message());
        }
    }
    if (!leftOut.isEmpty())
        Ergebnistext = QStringLiteral("Nicht importiert wurden:") + kCrLf + leftOut.join(kCrLf);
}
