// The check of names that become files or folders (see NameCheck.h).
#include "platform/NameCheck.h"

#include "platform/WendrakError.h"

namespace platform {

namespace {

bool unusableCharacter(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control;
}

} // namespace

QString UnusableNameMessage() {
    return QStringLiteral("Dieser Name kann nicht als Dateiname verwendet werden.");
}

bool IsUsableFileName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('.')))
        return false; // also "." and ".."
    for (const QChar c : trimmed)
        if (unusableCharacter(c))
            return false;
    return true;
}

void CheckFileName(const QString& name) {
    if (!IsUsableFileName(name))
        throw WendrakError(UnusableNameMessage());
}

QString SafeFileName(const QString& name) {
    QString safe = name.trimmed();
    for (QChar& c : safe)
        if (unusableCharacter(c))
            c = QLatin1Char('_');
    if (safe.startsWith(QLatin1Char('.')))
        safe[0] = QLatin1Char('_');
    return safe;
}

} // namespace platform
