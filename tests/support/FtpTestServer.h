// A real FTP server for the exchange tests (exchange_ftp_server.py beside this file): started
// on 127.0.0.1 and a free port with its own temporary folder, stopped when the object goes.
// The server ends by itself when this process dies or after five minutes. Its hostile mode
// (listing, stall, refused files, silence) lets a test play a server of another kind.
#pragma once

#include "TempRoot.h"

#include <QProcess>

class FtpTestServer {
public:
    static constexpr const char* kUser = "wendrak";
    static constexpr const char* kPassword = "geheim";

    FtpTestServer() {
        const QString script = TempRoot::sourceData() + "../tests/support/exchange_ftp_server.py";
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start("/usr/bin/python3",
                        {script, "--root", root(), "--user", kUser, "--password", kPassword,
                         "--lifetime", "300", "--control", control()});
        if (!m_process.waitForStarted(10000))
            return;
        while (m_port == 0 && m_process.waitForReadyRead(10000)) {
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith("PORT "))
                    m_port = line.mid(5).toInt();
            }
        }
    }
    ~FtpTestServer() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // 0 when the server did not start.
    int port() const { return m_port; }
    // The login folder on disk, ending with "/".
    QString root() const { return m_dir.path() + QStringLiteral("/ftp/"); }

    // Hostile mode: the login folder's listing sent as these bytes; empty restores the
    // server's own.
    void setListing(const QByteArray& bytes) const { setControl("listing", bytes); }
    // Hostile mode, "NAME N S": fetching the file named NAME sends its first N bytes, sends
    // nothing for S seconds, then ends the transfer; empty ends the stalling.
    void setStall(const QByteArray& spec) const { setControl("stall", spec); }
    // Hostile mode: storing a file of this name is refused; empty stores every file again.
    void setRefused(const QByteArray& name) const { setControl("refuse", name); }
    // Hostile mode: a new connection's greeting comes this many seconds late; empty: at once.
    void setSilent(const QByteArray& seconds) const { setControl("silent", seconds); }

    // A file below the login folder (folders created); names are UTF-8 on disk.
    void write(const QString& relative, const QByteArray& bytes) const {
        TempRoot::writeFile(root() + relative, bytes);
    }
    QByteArray read(const QString& relative) const { return TempRoot::readFile(root() + relative); }
    bool exists(const QString& relative) const { return QFileInfo::exists(root() + relative); }

private:
    QString control() const { return m_dir.path() + QStringLiteral("/control/"); }
    void setControl(const char* name, const QByteArray& bytes) const {
        const QString path = control() + QString::fromLatin1(name);
        if (bytes.isEmpty())
            QFile::remove(path);
        else
            TempRoot::writeFile(path, bytes);
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
