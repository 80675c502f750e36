// The warning boxes of the group functions.
#pragma once

#include <QStringList>

class QWidget;
struct MemberNotLoaded;

// "Warnung !!!" box naming a player that was found neither in the store nor in the import
// store; one OK button.
void ShowPlayerNotFound(QWidget* parent, const QString& fileName);
// One such box per member that TGroup::LoadGroupPlayers did not load, in order.
void ShowPlayersNotFound(QWidget* parent, const QList<MemberNotLoaded>& members);
