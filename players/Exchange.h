// The player exchange's work on the server: publishing a group (its description file
// "Description.ini", the players under upper-cased names, the group's page made from the
// server's "Default.html"), listing the groups with their descriptions, and importing
// chosen groups into "SpielerStammImport" and "ImportierteGruppen". The exchange worker
// window runs it on its FTP connection and shows its progress through an observer; tests
// run it the same way against a test server.
#pragma once

#include "players/FtpClient.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The server's address and account: section [Exchange] of "Kemra.ini" (keys Host, Port,
// User, Password), each missing key with its built-in default.
struct ExchangeServer {
    QString Host;
    int Port = 21;
    QString User;
    QString Password;
};
ExchangeServer ReadExchangeServer(const QString& iniFile);
void ApplyExchangeServer(const ExchangeServer& server, FtpClient& ftp);

// What the exchange windows take from the settings. The settings object lives below the
// shell, so the shell installs the reader at start-up; without one the standard
// installation is assumed (the data folder is the program folder).
struct ExchangeEnvironment {
    QString WendrakPath; // ends with "/"
    QString Username;
    ExchangeServer Server;
};
void SetExchangeEnvironmentReader(std::function<ExchangeEnvironment()> reader);
ExchangeEnvironment ReadExchangeEnvironment();

// Date and time as "Created" and the group page give them: "dd.MM.yyyy HH:mm:ss". The clock
// is the system's unless a test sets one (an empty function restores it).
QString ExchangeTimestamp();
void SetExchangeClock(std::function<QDateTime()> clock);

// Texts the exchange gives back.
QString ExportedText();        // "Ihre Gruppe wurde exportiert."
QString ImportedText();        // "Die gewählte(n) Gruppe(n) wurden importiert."
QString CancelledText();       // "Die Datenübertragung wurde abgebrochen."
QString ConnectFailedText();   // "Fehler beim Verbinden."
QString GroupExistsText();     // the name is taken on the server
QString TransferFailedText();  // "Fehler beim Übertragen: " (the failure follows)
QString GroupNotCreatedText(); // the folder is not listed after it was made
// The server's listing is not of the form the exchange needs (see IsDosListingLine).
QString UnreadableListingText();

// What a running exchange tells its window.
class ExchangeObserver {
public:
    virtual ~ExchangeObserver() = default;
    // A non-empty head or sub-head replaces the one shown.
    virtual void ShowStatus(const QString& head, const QString& subHead) = 0;
    // Handles pending input and says whether the user asked to cancel.
    virtual bool CancelRequested() = 0;
    // One player (or group) of an import could not be taken; the import goes on.
    virtual void ShowFailure(const QString& message) = 0;
};

// Section [Group] of a description file, read once; "" for what the file does not hold (or
// for every value when there is no file).
struct GroupDescription {
    QString Name, Created, Count, Description, Player;
};
GroupDescription ReadGroupDescription(const QString& descriptionFile);
// A description value with each "$$XDE$$" turned back into a line break (CR LF).
QString ExpandLineBreaks(const QString& value);
// Empties the program folder's "Temp/" of its files (the fetched descriptions stay there
// until the next listing or the next opening of the exchange).
void EmptyExchangeTemp(const QString& programFolder);

// The folder name of a detailed listing line: the text after its last "<DIR>", trimmed.
QString ParseListingName(const QString& line);
// Whether a line of a detailed listing has the DOS form the exchange reads: date, time, then
// "<DIR>" for a folder, another "<...>" mark or the size (with or without thousands
// separators) for other entries, then the name. A listing is understood when every non-empty
// line has this form.
bool IsDosListingLine(const QString& line);

// One transfer: set the inputs, call Run, read Ergebnistext (empty only on success) and, after
// a listing, Dateien.
class ExchangeWork {
public:
    enum { Publish = 0, Import = 1, ListGroups = 2 };

    // programFolder holds "Temp/" for the description files; wendrakPath the data folders.
    ExchangeWork(FtpClient& ftp, ExchangeObserver& observer, const QString& programFolder,
                 const QString& wendrakPath);

    int Modus = Publish;
    QString Gruppenname;
    QString Beschreibung; // lines separated by CR LF
    // Publish: the player files; import: the local description files of the chosen groups;
    // listing: filled with the fetched description files.
    QStringList Dateien;
    QStringList Verzeichnisliste;
    QString Ergebnistext;
    // Listing: the groups left out because their names cannot be sent, in one message to
    // show after the list is filled; empty when none was. Ergebnistext stays empty for them.
    QString LeftOutText;

    // Connects, does the work of Modus and disconnects, also after a failure.
    void Run();

    bool SetConnected(bool on);
    void ListRemote(const QString& filter);
    bool RemoteFolderExists(const QString& name);
    void WriteDescriptionIni();
    void UploadGroup();
    void PublishGroupPage();
    void DownloadGroupDescriptions();
    void ImportGroups();

private:
    void publish();
    // Reads the players of Dateien for sending; a file that is not one whole player stops
    // the publish before the server changes.
    void readFilesToSend();
    QString tempFolder() const;

    FtpClient& m_ftp;
    ExchangeObserver& m_observer;
    QString m_programFolder;
    QString m_wendrakPath;
    QList<QByteArray> m_sending; // the bytes of Dateien, as read before anything was sent
};
