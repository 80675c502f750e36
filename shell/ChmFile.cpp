// Reading a compiled help file with chmlib (see ChmFile.h).
#include "shell/ChmFile.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <chm_lib.h>

namespace {

quint32 le32(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 le16(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}

// A zero-terminated string at offset, cut at the end of the data.
QByteArray cString(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at >= bytes.size())
        return {};
    const qsizetype end = bytes.indexOf('\0', at);
    return bytes.mid(at, (end < 0 ? bytes.size() : end) - at);
}

// Stored help files name their pages in UTF-8 when they are valid UTF-8; older compilers
// wrote the ANSI code page.
QString decodeName(const QByteArray& bytes) {
    const QString utf8 = QString::fromUtf8(bytes);
    if (!utf8.contains(QChar::ReplacementCharacter))
        return utf8;
    return platform::fromAnsi(bytes);
}

bool isPage(const QString& path) {
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// A path inside the help file as lookups take it: "/" separators and a leading "/".
QString rooted(const QString& path) {
    QString p = platform::toSlashes(path);
    if (!p.startsWith(QLatin1Char('/')))
        p.prepend(QLatin1Char('/'));
    return p;
}

int collect(struct chmFile*, struct chmUnitInfo* unit, void* context) {
    auto* files = static_cast<QStringList*>(context);
    files->append(decodeName(QByteArray(unit->path)));
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

ChmFile::ChmFile(const QString& path) : m_path(platform::resolvePath(path)) {
    const QString unreadable =
        QStringLiteral("Die Hilfedatei \"%1\" kann nicht gelesen werden.").arg(path);
    if (!platform::fileExists(m_path))
        throw WendrakError(QStringLiteral("Die Hilfedatei \"%1\" existiert nicht.").arg(path));
    m_handle = chm_open(platform::nativePath(m_path).constData());
    if (m_handle == nullptr)
        throw WendrakError(unreadable);
    chm_enumerate(m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES,
                  collect, &m_files);
    for (const QString& f : m_files)
        m_byUpper.emplace(f.toUpper(), f);
    readSystem();
    readContextMap();
}

ChmFile::~ChmFile() {
    if (m_handle != nullptr)
        chm_close(m_handle);
}

bool ChmFile::contains(const QString& path) const {
    return m_byUpper.count(rooted(path).toUpper()) != 0;
}

std::optional<QByteArray> ChmFile::read(const QString& path) const {
    const auto found = m_byUpper.find(rooted(path).toUpper());
    if (found == m_byUpper.end())
        return std::nullopt;
    // chmlib resolves names without regard to case itself, but the stored spelling is
    // the safe one to hand it.
    const QByteArray name = found->second.toUtf8();
    chmUnitInfo unit{};
    if (chm_resolve_object(m_handle, name.constData(), &unit) != CHM_RESOLVE_SUCCESS) {
        const QByteArray ansi = platform::toAnsi(found->second);
        if (chm_resolve_object(m_handle, ansi.constData(), &unit) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
    }
    // A damaged file may claim any length; nothing in a help file comes near 64 MB.
    if (unit.length > (LONGUINT64(64) << 20))
        return std::nullopt;
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    if (unit.length == 0)
        return data;
    const LONGINT64 got = chm_retrieve_object(
        m_handle, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, LONGINT64(unit.length));
    if (got < 0)
        return std::nullopt;
    data.truncate(qsizetype(got));
    return data;
}

QStringList ChmFile::topics() const {
    QStringList pages;
    for (const QString& f : m_files)
        if (f.startsWith(QLatin1Char('/')) && !f.startsWith(QLatin1String("/#")) &&
            !f.startsWith(QLatin1String("/$")) && isPage(f))
            pages.append(f);
    return pages;
}

QString ChmFile::defaultTopic() const {
    return m_defaultTopic;
}

QString ChmFile::title() const {
    return m_title;
}

QString ChmFile::topicForContext(int context) const {
    const auto found = m_contexts.find(context);
    return found == m_contexts.end() ? QString() : found->second;
}

QString ChmFile::matchStoredPath(const QString& compiledPath) const {
    const QString p = rooted(compiledPath);
    // From the whole path down to the bare file name: the first hit is the longest.
    qsizetype at = 0;
    while (at >= 0) {
        const auto found = m_byUpper.find(p.mid(at).toUpper());
        if (found != m_byUpper.end())
            return found->second;
        at = p.indexOf(QLatin1Char('/'), at + 1);
    }
    return {};
}

void ChmFile::readSystem() {
    // "#SYSTEM": a version word, then records of code, length and data.
    const auto system = read(QStringLiteral("/#SYSTEM"));
    if (!system || system->size() < 4)
        return;
    const QByteArray& s = *system;
    qsizetype at = 4;
    while (at + 4 <= s.size()) {
        const quint16 code = le16(s, at);
        const quint16 length = le16(s, at + 2);
        const qsizetype data = at + 4;
        if (data + length > s.size())
            break;
        const QByteArray value = cString(s.left(data + length), data);
        if (code == 2)
            m_defaultTopic = matchStoredPath(decodeName(value));
        else if (code == 3)
            m_title = decodeName(value);
        at = data + length;
    }
}

void ChmFile::readContextMap() {
    // "#IVB": a byte count, then pairs of context number and offset into "#STRINGS",
    // where the topic's path as the compiler saw it is stored.
    const auto ivb = read(QStringLiteral("/#IVB"));
    const auto strings = read(QStringLiteral("/#STRINGS"));
    if (!ivb || !strings || ivb->size() < 4)
        return;
    const qsizetype end = qMin<qsizetype>(ivb->size(), 4 + qsizetype(le32(*ivb, 0)));
    for (qsizetype at = 4; at + 8 <= end; at += 8) {
        const int context = int(le32(*ivb, at));
        const qsizetype offset = qsizetype(le32(*ivb, at + 4));
        const QString topic = matchStoredPath(decodeName(cString(*strings, offset)));
        if (!topic.isEmpty())
            m_contexts.emplace(context, topic);
    }
}
