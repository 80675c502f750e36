// The player windows' lists and filter tree (see PlayerListView.h).
#include "players/ui/PlayerListView.h"

#include "platform/Colours.h"
#include "platform/ui/GradientWidget.h"

#include <QTreeWidget>

namespace {

constexpr int kCategoryRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;

// Rows sorted by text, letter case aside first.
class NameItem : public QTreeWidgetItem {
public:
    explicit NameItem(const QString& text) : QTreeWidgetItem(QStringList(text)) {}
    bool operator<(const QTreeWidgetItem& other) const override {
        const int c = QString::compare(text(0), other.text(0), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : text(0) < other.text(0);
    }
};

} // namespace

void AddToNameList(QTreeWidget* list, const QStringList& captions) {
    list->setSortingEnabled(false);
    QList<QTreeWidgetItem*> items;
    items.reserve(captions.size());
    for (const QString& caption : captions)
        items.append(new NameItem(caption));
    list->addTopLevelItems(items);
    list->setSortingEnabled(true);
    list->sortItems(0, Qt::AscendingOrder);
}

void FillNameList(QTreeWidget* list, const QStringList& captions) {
    list->clear();
    AddToNameList(list, captions);
}

QStringList AllCaptions(const QTreeWidget* list) {
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        result.append(list->topLevelItem(i)->text(0));
    return result;
}

QStringList SelectedCaptions(const QTreeWidget* list) {
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->isSelected())
            result.append(list->topLevelItem(i)->text(0));
    return result;
}

void RemoveSelectedRows(QTreeWidget* list) {
    qDeleteAll(list->selectedItems());
}

void MakeListGrey(QTreeWidget* list) {
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, GradientWidget::fromBgr(colours::clSilver));
    // Disabled text stays readable on the grey.
    pal.setColor(QPalette::Disabled, QPalette::Text, GradientWidget::fromBgr(colours::clGray));
    list->setPalette(pal);
}

void FillPlayerFilterTree(QTreeWidget* tree, const char* personalCategory,
                          const char* kemrafeldCategory, bool withImported) {
    struct Node {
        const char* text; // UTF-8
        const char* category;
        const char* type; // "-1" = none
        bool child;       // a child follows its parent
    };
    QList<Node> nodes = {{"Persönliche Spieler", personalCategory, "-1", false},
                         {"Kemrafeld", kemrafeldCategory, "-1", true},
                         {"Dominante Spieler", "0", "-1", false},
                         {"Besondere Spieler", "1", "-1", false}};
    if (withImported)
        nodes.append({"Importierte Spieler", "9", "-1", false});
    nodes.append({{"Versuchsspieler", "2", "0", false},
                  {"Typ1", "2", "1", true},
                  {"Typ2", "2", "2", true},
                  {"Typ3", "2", "3", true},
                  {"Typ4", "2", "4", true},
                  {"Typ5", "2", "5", true},
                  {"Typ6", "2", "6", true}});

    tree->clear();
    QTreeWidgetItem* parent = nullptr;
    for (const Node& n : nodes) {
        auto* item =
            n.child && parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        if (!n.child)
            parent = item;
        item->setText(0, QString::fromUtf8(n.text));
        item->setData(0, kCategoryRole, QString::fromLatin1(n.category));
        item->setData(0, kTypeRole, QString::fromLatin1(n.type));
    }
}

QString NodeCategory(const QTreeWidgetItem* node) {
    return node->data(0, kCategoryRole).toString();
}

QString NodeType(const QTreeWidgetItem* node) {
    return node->data(0, kTypeRole).toString();
}
