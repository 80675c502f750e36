// The warning boxes of the group functions.
#pragma once

#include <QStringList>

class QWidget;

// "Warnung !!!" box naming a player that was found neither in the store nor in the import
// store; one OK button.
void ShowPlayerNotFound(QWidget* parent, const QString& fileName);
// One such box per name, in order (the members TGroup::LoadGroupPlayers did not find).
void ShowPlayersNotFound(QWidget* parent, const QStringList& fileNames);
