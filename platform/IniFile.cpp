#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "platform/IniFile.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace platform {

namespace {

// A key set through writeString, in Windows-1252.
struct Write {
    QByteArray section, key, value;
};

} // namespace

struct IniFile::Impl {
    QString fileName;
    CSimpleIniA ini{false, false, false};
    QList<Write> writes; // in the order given, applied by updateFile
};

namespace {

std::string ansi(const QString& text) {
    return toAnsi(text).toStdString();
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// ---- the in-place update ---------------------------------------------------------------
// Lines end with CR LF, LF or CR, as the reader takes them; every line keeps its own end.

struct Line {
    QByteArray text;
    QByteArray end; // empty for a last line without one
};

QList<Line> splitLines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype endSize = c == '\r' && bytes.mid(i + 1, 1) == "\n" ? 2 : 1;
        lines.append({bytes.mid(start, i - start), bytes.mid(i, endSize)});
        i += endSize - 1;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append({bytes.mid(start), {}});
    return lines;
}

// Blanks as the reader skips them around names and values.
QByteArray trimmed(const QByteArray& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && (text.at(from) == ' ' || text.at(from) == '\t'))
        ++from;
    while (to > from && (text.at(to - 1) == ' ' || text.at(to - 1) == '\t'))
        --to;
    return text.mid(from, to - from);
}

// Section and key names compare without regard to ASCII letter case, as the reader's.
bool sameName(const QByteArray& a, const QByteArray& b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

enum class Kind { Blank, Comment, Section, Key, Unknown };

struct Parsed {
    Kind kind = Kind::Unknown;
    QByteArray name;        // the section's or key's name
    qsizetype valueAt = -1; // a key line's first byte after "="
};

Parsed parseLine(const QByteArray& text, bool firstLine) {
    // UTF-16 text always holds NUL bytes; a UTF-8 byte-order mark would become part of a name.
    if (text.contains('\0') || (firstLine && text.startsWith("\xEF\xBB\xBF")))
        return {};
    const QByteArray t = trimmed(text);
    if (t.isEmpty())
        return {Kind::Blank, {}, -1};
    if (t.startsWith(';') || t.startsWith('#'))
        return {Kind::Comment, {}, -1};
    if (t.startsWith('[')) {
        const QByteArray name = trimmed(t.mid(1, t.size() - 2));
        if (t.size() < 2 || !t.endsWith(']') || name.isEmpty())
            return {};
        return {Kind::Section, name, -1};
    }
    const qsizetype eq = text.indexOf('=');
    const QByteArray key = trimmed(text.left(eq));
    if (eq < 0 || key.isEmpty())
        return {};
    return {Kind::Key, key, eq + 1};
}

WendrakError notUnderstood(const QString& fileName, qsizetype number, const QByteArray& text) {
    QString line;
    for (const QChar c : fromAnsi(text))
        if (c.unicode() >= 0x20)
            line += c;
    if (line.size() > 60)
        line = line.left(60) + QStringLiteral("…");
    return WendrakError(
        QStringLiteral("Die Datei \"%1\" wird nicht geschrieben, weil Zeile %2 nicht verstanden "
                       "wird: \"%3\". Verstanden werden leere Zeilen, Kommentare mit \";\" oder "
                       "\"#\", Abschnitte \"[Name]\" und Zeilen \"Schlüssel=Wert\".")
            .arg(shown(fileName), QString::number(number), line));
}

// Sets one key: where it stands, the occurrence the reader takes (the last of its section,
// whose parts the reader joins) gets the value; else it closes the section's last part;
// else a new section closes the file.
void applyWrite(QList<Line>& lines, const Write& w, const QByteArray& lineEnd) {
    QByteArray section;
    qsizetype keyAt = -1, sectionEnd = -1, valueAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Parsed p = parseLine(lines[i].text, i == 0);
        if (p.kind == Kind::Section)
            section = p.name;
        if ((p.kind == Kind::Section || p.kind == Kind::Key) && sameName(section, w.section)) {
            sectionEnd = i;
            if (p.kind == Kind::Key && sameName(p.name, w.key)) {
                keyAt = i;
                valueAt = p.valueAt;
            }
        }
    }
    const QByteArray newLine = w.key + '=' + w.value;
    if (keyAt >= 0) {
        QByteArray& text = lines[keyAt].text;
        if (trimmed(text.mid(valueAt)) == trimmed(w.value)) // what the reader takes
            return;
        qsizetype from = valueAt; // blanks after "=" stay
        while (from < text.size() && (text.at(from) == ' ' || text.at(from) == '\t'))
            ++from;
        text = text.left(from) + w.value;
        return;
    }
    if (sectionEnd >= 0) {
        if (lines[sectionEnd].end.isEmpty())
            lines[sectionEnd].end = lineEnd;
        lines.insert(sectionEnd + 1, {newLine, lineEnd});
        return;
    }
    if (!lines.isEmpty()) {
        if (lines.last().end.isEmpty())
            lines.last().end = lineEnd;
        if (!trimmed(lines.last().text).isEmpty())
            lines.append({{}, lineEnd});
    }
    lines.append({'[' + w.section + ']', lineEnd});
    lines.append({newLine, lineEnd});
}

QByteArray updatedBytes(const QByteArray& original, const QList<Write>& writes,
                        const QString& fileName) {
    QList<Line> lines = splitLines(original);
    QByteArray lineEnd = "\r\n";
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (parseLine(lines[i].text, i == 0).kind == Kind::Unknown)
            throw notUnderstood(fileName, i + 1, lines[i].text);
    for (const Line& line : lines)
        if (!line.end.isEmpty()) {
            lineEnd = line.end;
            break;
        }
    for (const Write& w : writes)
        applyWrite(lines, w, lineEnd);
    QByteArray out;
    out.reserve(original.size() + 64);
    for (const Line& line : lines)
        out += line.text + line.end;
    return out;
}

} // namespace

IniFile::IniFile(const QString& fileName) : d(std::make_unique<Impl>()) {
    d->fileName = fileName;
    d->ini.SetSpaces(false);
    try {
        const QByteArray bytes = readFileBytes(fileName);
        d->ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size()));
    } catch (const WendrakError&) {
        // A missing or unreadable settings file gives every key its default.
    }
}

IniFile::~IniFile() = default;

QString IniFile::fileName() const {
    return d->fileName;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const char* value = d->ini.GetValue(ansi(section).c_str(), ansi(key).c_str(), nullptr);
    return value ? fromAnsi(QByteArray(value)) : defaultValue;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    for (const QString& text : {section, key, value})
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
            throw WendrakError(QStringLiteral("Der Wert von \"%1\" enthält einen Zeilenumbruch "
                                              "und kann nicht in die Datei \"%2\" geschrieben "
                                              "werden.")
                                   .arg(key, shown(d->fileName)));
    d->ini.SetValue(ansi(section).c_str(), ansi(key).c_str(), ansi(value).c_str());
    d->writes.append({toAnsi(section), toAnsi(key), toAnsi(value)});
}

bool IniFile::sectionExists(const QString& section) const {
    return d->ini.GetSectionSize(ansi(section).c_str()) >= 0;
}

QStringList IniFile::sectionKeys(const QString& section) const {
    CSimpleIniA::TNamesDepend keys;
    d->ini.GetAllKeys(ansi(section).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto& k : keys)
        out.append(fromAnsi(QByteArray(k.pItem)));
    return out;
}

void IniFile::updateFile() {
    // A link is read and replaced at its target, as every replace does.
    const QString target = pathForCreate(d->fileName);
    const auto unreadable = [this] {
        return WendrakError(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden und wird "
                                           "deshalb nicht geschrieben.")
                                .arg(shown(d->fileName)));
    };
    // What is on disk now, not what was read: another window may have written since.
    QByteArray original;
    struct stat info {};
    const bool exists = ::stat(nativePath(target).constData(), &info) == 0;
    if (!exists && errno != ENOENT)
        throw unreadable();
    if (exists) {
        try { // a folder or a FIFO is no file to read
            original = readFileBytes(target);
        } catch (const WendrakError&) {
            throw unreadable();
        }
    }
    const QByteArray bytes = updatedBytes(original, d->writes, d->fileName);
    if (!exists || bytes != original)
        writeFileBytes(target, bytes);
}

} // namespace platform
