// The warning boxes of the group functions (see GroupMessages.h).
#include "players/ui/GroupMessages.h"

#include "players/uTGroup.h"

#include "platform/ui/MessageBoxes.h"

void ShowPlayerNotFound(QWidget* parent, const QString& fileName) {
    QString text = PlayerNotFoundText(fileName);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    platform::showMessage(parent, text);
}

void ShowPlayersNotFound(QWidget* parent, const QStringList& fileNames) {
    for (const QString& name : fileNames)
        ShowPlayerNotFound(parent, name);
}
