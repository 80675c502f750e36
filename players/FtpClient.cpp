// The exchange's FTP client (see FtpClient.h). libcurl keeps the connection of its handle
// alive between requests, so every request names its folder from the login folder and curl
// changes into it on the same connection.
#include "players/FtpClient.h"

#include "platform/Ansi.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QElapsedTimer>
#include <algorithm>
#include <curl/curl.h>

#include <cstring>
#include <mutex>

namespace {

FtpTimeLimits g_limits;

// A larger file than any the exchange keeps is refused instead of filling the memory.
constexpr qsizetype kMaxFileSize = 16 * 1024 * 1024;

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t collect(char* data, size_t size, size_t count, void* target) {
    auto* buffer = static_cast<QByteArray*>(target);
    const size_t bytes = size * count;
    if (buffer->size() + static_cast<qsizetype>(bytes) > kMaxFileSize)
        return 0; // curl ends the transfer with a write error
    buffer->append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

struct Upload {
    QByteArray bytes;
    qsizetype sent = 0;
};

size_t supply(char* data, size_t size, size_t count, void* source) {
    auto* upload = static_cast<Upload*>(source);
    const qsizetype n = std::min<qsizetype>(static_cast<qsizetype>(size * count),
                                            upload->bytes.size() - upload->sent);
    std::memcpy(data, upload->bytes.constData() + upload->sent, static_cast<size_t>(n));
    upload->sent += n;
    return static_cast<size_t>(n);
}

// Failures the server answered: the connection stays usable.
bool isReplyFailure(CURLcode code) {
    switch (code) {
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_WRITE_ERROR:
        return true;
    default:
        return false;
    }
}

QString nameNotAllowedText() {
    return QStringLiteral("Der Name enthält Steuerzeichen und kann nicht übertragen werden.");
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// The step's text with name in it, printable. Refuses a name libcurl would refuse as an
// address before it becomes one, so the connection stays.
QString sendableStep(const QString& what, const QString& name) {
    const QString step = what.arg(PrintableName(name));
    if (!IsSendableName(name))
        throw WendrakError(step + QStringLiteral(": ") + nameNotAllowedText());
    return step;
}

} // namespace

bool IsSendableName(const QString& name) {
    return std::none_of(name.begin(), name.end(), isControl);
}

QString PrintableName(QString name) {
    std::replace_if(name.begin(), name.end(), isControl, QLatin1Char('?'));
    return name;
}

FtpTimeLimits ftpTimeLimits() {
    return g_limits;
}

void setFtpTimeLimits(const FtpTimeLimits& limits) {
    g_limits = limits;
}

struct FtpClient::Impl {
    CURL* curl = nullptr;
    CURLM* multi = nullptr;     // holds the connection between requests
    QStringList folder;         // the current remote folder below the login folder
    QByteArray reply;           // the server's last reply line
    QByteArray entryPath;       // the login folder as the server names it
    QElapsedTimer lastActivity; // since the last byte of the running request
    char errorText[CURL_ERROR_SIZE] = {};

    static int trace(CURL*, curl_infotype type, char* data, size_t size, void* self) {
        // Every byte either way shows the server alive.
        if (type != CURLINFO_TEXT)
            static_cast<Impl*>(self)->lastActivity.start();
        // Only what the server says is kept: the client's own lines hold the password.
        if (type == CURLINFO_HEADER_IN) {
            QByteArray line(data, static_cast<qsizetype>(size));
            line = line.trimmed();
            if (!line.isEmpty())
                static_cast<Impl*>(self)->reply = line;
        }
        return 0;
    }

    QString url(const QStringList& path, bool isFolder, const FtpClient& owner) const {
        QString host = owner.Host;
        if (host.contains(QLatin1Char(':')))
            host = QLatin1Char('[') + host + QLatin1Char(']');
        QString result = QStringLiteral("ftp://%1:%2/").arg(host).arg(owner.Port);
        for (const QString& part : path)
            result +=
                QString::fromLatin1(platform::toAnsi(part).toPercentEncoding()) + QLatin1Char('/');
        if (!isFolder && result.endsWith(QLatin1Char('/')))
            result.chop(1);
        return result;
    }

    QStringList below(const QString& name) const {
        QStringList path = folder;
        for (const QString& part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts))
            path << part;
        return path;
    }

    void prepare(const FtpClient& owner, const QString& target) {
        curl_easy_reset(curl);
        const QByteArray address = target.toLatin1();
        curl_easy_setopt(curl, CURLOPT_URL, address.constData());
        const QByteArray user = platform::toAnsi(owner.Username);
        const QByteArray password = platform::toAnsi(owner.Password);
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, g_limits.connectMs);
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, g_limits.stallSeconds);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Impl::trace);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, this);
        errorText[0] = '\0';
        reply.clear();
    }

    // Runs the prepared request; a failure throws with the step and a German sentence for its
    // kind (the server's reply line where the server answered), and a failure the server did
    // not answer ends the connection. tooBig names what exceeded the size cap.
    void perform(const QString& step, const QString& tooBig = QStringLiteral("Die Datei")) {
        const CURLcode code = run();
        if (code == CURLE_OK)
            return;
        QString why;
        switch (code) {
        case CURLE_WRITE_ERROR:
            why = tooBig + QStringLiteral(" ist zu groß.");
            break;
        case CURLE_OPERATION_TIMEDOUT:
            why = QStringLiteral("Der Server antwortet nicht (Zeitüberschreitung).");
            break;
        case CURLE_COULDNT_CONNECT:
        case CURLE_COULDNT_RESOLVE_HOST:
            why = QStringLiteral("Der Server ist nicht erreichbar.");
            break;
        case CURLE_PARTIAL_FILE:
            why = QStringLiteral("Die Übertragung ist vor ihrem Ende abgebrochen.");
            break;
        default:
            why = (isReplyFailure(code) || code == CURLE_LOGIN_DENIED) && !reply.isEmpty()
                      ? platform::fromAnsi(reply)
                      : QStringLiteral("Die Verbindung zum Server ist unterbrochen.");
        }
        if (!isReplyFailure(code))
            close();
        throw WendrakError(step + QStringLiteral(": ") + why);
    }

    // The request on the multi interface with short waits: curl's own blocking loop may
    // sleep a whole second while a data connection is being opened.
    // A request that has not sent or received a byte for the stall limit is given up then
    // (curl's own low-speed check averages over seconds and would wait longer).
    CURLcode run() {
        curl_multi_add_handle(multi, curl);
        lastActivity.start();
        int running = 1;
        while (running > 0) {
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                break;
            if (running > 0 && lastActivity.hasExpired(g_limits.stallSeconds * 1000)) {
                curl_multi_remove_handle(multi, curl);
                return CURLE_OPERATION_TIMEDOUT;
            }
            if (running > 0)
                curl_multi_poll(multi, nullptr, 0, 10, nullptr);
        }
        CURLcode code = CURLE_SEND_ERROR;
        int left = 0;
        while (const CURLMsg* message = curl_multi_info_read(multi, &left))
            if (message->msg == CURLMSG_DONE)
                code = message->data.result;
        curl_multi_remove_handle(multi, curl);
        return code;
    }

    void close() {
        if (curl != nullptr)
            curl_easy_cleanup(curl);
        if (multi != nullptr)
            curl_multi_cleanup(multi);
        curl = nullptr;
        multi = nullptr;
        folder.clear();
    }

    void requireConnection() const {
        if (curl == nullptr)
            throw WendrakError(QStringLiteral("Keine Verbindung zum Server."));
    }
};

FtpClient::FtpClient() : d(std::make_unique<Impl>()) {
    initCurlOnce();
}

FtpClient::~FtpClient() {
    Disconnect();
}

bool FtpClient::Connected() const {
    return d->curl != nullptr;
}

void FtpClient::Connect() {
    Disconnect();
    d->curl = curl_easy_init();
    d->multi = curl_multi_init();
    if (d->curl == nullptr || d->multi == nullptr)
        throw WendrakError(QStringLiteral("Die FTP-Verbindung kann nicht angelegt werden."));
    d->prepare(*this, d->url({}, true, *this));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    d->perform(QStringLiteral("Anmelden bei %1").arg(Host));
    const char* entry = nullptr;
    curl_easy_getinfo(d->curl, CURLINFO_FTP_ENTRY_PATH, &entry);
    d->entryPath = entry != nullptr ? QByteArray(entry) : QByteArray("/");
}

QStringList FtpClient::List() {
    d->requireConnection();
    QByteArray listing;
    d->prepare(*this, d->url(d->folder, true, *this));
    curl_easy_setopt(d->curl, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(d->curl, CURLOPT_WRITEDATA, &listing);
    d->perform(QStringLiteral("Auflisten von „/%1“").arg(d->folder.join(QLatin1Char('/'))),
               QStringLiteral("Die Liste"));
    QStringList lines;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines << platform::fromAnsi(line);
    }
    return lines;
}

void FtpClient::MakeDir(const QString& name) {
    d->requireConnection();
    const QString step = sendableStep(QStringLiteral("Anlegen des Ordners „%1“"), name);
    d->prepare(*this, d->url(d->folder, true, *this));
    // Sent before curl changes folders, so the folder is named from the login folder.
    QByteArray path = d->entryPath.endsWith('/') ? d->entryPath : d->entryPath + '/';
    for (const QString& part : d->folder)
        path += platform::toAnsi(part) + '/';
    const QByteArray command = "MKD " + path + platform::toAnsi(name);
    curl_slist* commands = curl_slist_append(nullptr, command.constData());
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(d->curl, CURLOPT_QUOTE, commands);
    try {
        d->perform(step);
    } catch (...) {
        curl_slist_free_all(commands);
        throw;
    }
    curl_slist_free_all(commands);
}

void FtpClient::ChangeDir(const QString& name) {
    d->requireConnection();
    if (name == QStringLiteral("..")) {
        if (!d->folder.isEmpty())
            d->folder.removeLast();
        return;
    }
    const QString step = sendableStep(QStringLiteral("Wechseln in den Ordner „%1“"), name);
    const QStringList target = d->below(name);
    d->prepare(*this, d->url(target, true, *this));
    curl_easy_setopt(d->curl, CURLOPT_NOBODY, 1L);
    d->perform(step);
    d->folder = target;
}

QByteArray FtpClient::GetBytes(const QString& remoteName) {
    d->requireConnection();
    const QString step = sendableStep(QStringLiteral("Laden von „%1“"), remoteName);
    QByteArray bytes;
    d->prepare(*this, d->url(d->below(remoteName), false, *this));
    curl_easy_setopt(d->curl, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(d->curl, CURLOPT_WRITEDATA, &bytes);
    d->perform(step);
    return bytes;
}

void FtpClient::Get(const QString& remoteName, const QString& localPath) {
    platform::writeFileBytes(localPath, GetBytes(remoteName));
}

void FtpClient::Put(const QString& localPath, const QString& remoteName) {
    PutBytes(platform::readFileBytes(localPath), remoteName);
}

void FtpClient::PutBytes(const QByteArray& bytes, const QString& remoteName) {
    d->requireConnection();
    const QString step = sendableStep(QStringLiteral("Senden von „%1“"), remoteName);
    Upload upload{bytes, 0};
    d->prepare(*this, d->url(d->below(remoteName), false, *this));
    curl_easy_setopt(d->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(d->curl, CURLOPT_READFUNCTION, &supply);
    curl_easy_setopt(d->curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(d->curl, CURLOPT_INFILESIZE_LARGE,
                     static_cast<curl_off_t>(upload.bytes.size()));
    d->perform(step);
}

void FtpClient::Disconnect() {
    d->close();
}
