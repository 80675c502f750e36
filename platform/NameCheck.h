// The one check of names that become a file or folder: a player's, a group's, a name taken
// over from elsewhere. A name is usable when, trimmed, it is not empty, is not "." or "..",
// does not start with "." (such entries are hidden) and holds no "/", "\" or control
// character.
#pragma once

#include <QString>

namespace platform {

// "Dieser Name kann nicht als Dateiname verwendet werden."
QString UnusableNameMessage();

bool IsUsableFileName(const QString& name);
// Throws WendrakError with UnusableNameMessage() when the name is not usable.
void CheckFileName(const QString& name);
// The name trimmed, with each unusable character (and a leading ".") turned into "_"; an
// empty name stays empty.
QString SafeFileName(const QString& name);

} // namespace platform
