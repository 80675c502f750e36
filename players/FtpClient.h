// The FTP client of the player exchange, on libcurl: log in, detailed listing, make and change
// folders, fetch and send files, over one connection that lives from Connect to Disconnect.
// Remote names go out in Windows-1252; a "/" in a remote name separates folders, a "\" is
// sent as it is (the exchange server takes both). Every failure throws WendrakError with a
// German message naming the step and carrying the server's reply; the password never
// appears in a message.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// Whether a remote name can go into an address: it holds no control character (NUL, CR, LF
// and the others below blank, and DEL). Names that cannot are refused before anything is
// sent, and the connection stays.
bool IsSendableName(const QString& name);
// The name as a message shows it: each control character as "?".
QString PrintableName(QString name);

// How long a dead server may keep a window waiting: connecting and logging in, and a
// transfer or a command reply without a single byte. Process-wide; tests shorten them.
struct FtpTimeLimits {
    long connectMs = 15000;
    long stallSeconds = 30;
};
FtpTimeLimits ftpTimeLimits();
void setFtpTimeLimits(const FtpTimeLimits& limits);

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    QString Host;
    int Port = 21;
    QString Username;
    QString Password;

    // Logs in; the current remote folder is then the login folder.
    void Connect();
    // False before Connect, after Disconnect and after the connection was lost (a timeout,
    // a closed connection); the client then does not connect again by itself.
    bool Connected() const;
    // The detailed listing of the current remote folder, one entry a line.
    QStringList List();
    void MakeDir(const QString& name);
    // Into a sub-folder, or one up with "..".
    void ChangeDir(const QString& name);
    // Fetches a remote file; Get replaces the local file whole.
    QByteArray GetBytes(const QString& remoteName);
    void Get(const QString& remoteName, const QString& localPath);
    // Sends these bytes; Put sends the local file's.
    void PutBytes(const QByteArray& bytes, const QString& remoteName);
    void Put(const QString& localPath, const QString& remoteName);
    // Ends the connection; nothing happens when there is none.
    void Disconnect();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
