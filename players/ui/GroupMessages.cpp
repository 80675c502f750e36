// The warning boxes of the group functions (see GroupMessages.h).
#include "players/ui/GroupMessages.h"

#include "players/uTGroup.h"

#include "platform/ui/MessageBoxes.h"

namespace {

void showWarning(QWidget* parent, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    platform::showMessage(parent, text);
}

} // namespace

void ShowPlayerNotFound(QWidget* parent, const QString& fileName) {
    showWarning(parent, PlayerNotFoundText(fileName));
}

void ShowPlayersNotFound(QWidget* parent, const QList<MemberNotLoaded>& members) {
    for (const MemberNotLoaded& member : members)
        showWarning(parent, MemberNotLoadedText(member));
}
