// What the player windows' lists share: report-style lists of file names kept sorted by
// their text, and the filter tree whose nodes carry a player category and a type digit.
#pragma once

#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// Replaces the rows of list by captions, sorted by text (letter case aside first).
void FillNameList(QTreeWidget* list, const QStringList& captions);
// Adds rows and keeps the list sorted.
void AddToNameList(QTreeWidget* list, const QStringList& captions);
// The captions of all rows, or of the selected rows, in list order.
QStringList AllCaptions(const QTreeWidget* list);
QStringList SelectedCaptions(const QTreeWidget* list);
// Removes the selected rows.
void RemoveSelectedRows(QTreeWidget* list);
// Paints the lists' background grey.
void MakeListGrey(QTreeWidget* list);

// Fills the filter tree the player windows share: "Persönliche Spieler" with "Kemrafeld"
// below it, "Dominante Spieler", "Besondere Spieler", "Importierte Spieler" where
// withImported, and "Versuchsspieler" with its six types below it. The windows differ in
// the categories the two personal nodes select.
void FillPlayerFilterTree(QTreeWidget* tree, const char* personalCategory,
                          const char* kemrafeldCategory, bool withImported = false);
// The category and type digit of a node, as the player list filter takes them.
QString NodeCategory(const QTreeWidgetItem* node);
QString NodeType(const QTreeWidgetItem* node);
