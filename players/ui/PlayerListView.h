// What the player windows' lists share: report-style lists of file names kept sorted by
// their text, and the filter tree whose nodes carry a player category and a type digit.
#pragma once

#include <QList>
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

// One node of a filter tree; a child node (child true) follows its parent.
struct FilterNode {
    const char* text; // UTF-8
    const char* category;
    const char* type; // "-1" = none
    bool child;
};
void FillFilterTree(QTreeWidget* tree, const QList<FilterNode>& nodes);
// The category and type digit of a node, as the player list filter takes them.
QString NodeCategory(const QTreeWidgetItem* node);
QString NodeType(const QTreeWidgetItem* node);
