// The group management: the user creates own groups, picks one and adds players of the
// store to it or removes them; every change is written to the group file at once. The
// main window makes one per use, lends it the player list (SpielerListe) and the data
// folder of its settings (WendrakPath), and shows it modally; "&Ok" closes it with 1 and
// nothing is left to save.
#pragma once

#include "players/uTGroup.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QItemSelection;
namespace Ui {
class TfrmGRPCreate;
}

class TfrmGRPCreate : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGRPCreate(QWidget* parent = nullptr);
    ~TfrmGRPCreate() override;

    TGroup Gruppe;
    // The data folder whose "Eigene Gruppen" the window keeps (the setting WendrakPath).
    QString WendrakPath;
    // The selected or just created group.
    QString Gruppenname;
    // The main window's player list (category character + file name).
    QStringList SpielerListe;

    void FillGroupList();
    void FillGroupMembers();
    void FillPlayerList(const QString& category, const QString& typeFilter);
    void SaveGroup();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void btnOkClick();
    void lstGroupSelectItem(const QItemSelection& selected, const QItemSelection& deselected);
    void lstSpielerSelectItem();
    void trvFilterClick();
    void btnAddAllClick();
    void btnDeleteSelectedClick();
    void btnNewGroupClick();
    void btnCancelNewGroupClick();
    void btnCreateNewGroupClick();
    void EnableOutsideNewGroup(bool enabled);
    QString dataFolder() const;

    Ui::TfrmGRPCreate* ui;
};
