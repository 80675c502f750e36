// The group chooser: a tree of the folders below "Standardexperimente", "Eigene Gruppen"
// and "ImportierteGruppen" of the program folder; Ok is possible while the selected folder
// holds a "group.sgp". Created once and reused: the tree is filled on the first showing and
// again only on "Aktualisieren".
#pragma once

#include <QDialog>
#include <QString>

class QTreeWidgetItem;
namespace Ui {
class TfrmChooseGroup;
}

class TfrmChooseGroup : public QDialog {
    Q_OBJECT
public:
    explicit TfrmChooseGroup(QWidget* parent = nullptr);
    ~TfrmChooseGroup() override;

    // Full path of the chosen folder's "group.sgp"; empty while no valid folder is selected.
    // Read it after exec() returned 1.
    QString GruppenDatei;

    void FillGroupTree();
    void AddFolderNodes(const QString& folder, QTreeWidgetItem* parent);
    // The texts of node and its ancestors from the top-level node down, each followed by "/".
    QString GetNodePath(const QTreeWidgetItem* node) const;

    // Modal results: 1 Ok, 2 Abbruch (also on Escape or closing the window).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void trvMainClick();

    Ui::TfrmChooseGroup* ui;
    bool m_filling = false;
};
