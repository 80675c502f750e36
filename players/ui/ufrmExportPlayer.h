// The player exchange ("Spielerbörse"): on the left the user puts together a group from player
// files and publishes it on the exchange server, on the right the user lists the groups on
// the server, looks at a group's description and imports the ticked groups. Each transfer
// is one exchange worker (TfrmFTPPlayer); the details view shows one fetched description.
#pragma once

#include "players/Exchange.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QAction;
class QFileDialog;
class QMenu;
class QTreeWidgetItem;
namespace Ui {
class TfrmExportPlayer;
class TfrmExportPlayer_Details;
} // namespace Ui

class TfrmExportPlayer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExportPlayer(QWidget* parent = nullptr);
    ~TfrmExportPlayer() override;

    // Read at creation.
    ExchangeEnvironment Umgebung;

    QMenu* PopupMenuExport;
    QAction* PopupMenuExport_Delete;
    QAction* PopupMenuExport_DeleteAll;
    QFileDialog* dlgOpen;

    void AddPlayerItem(const QString& path);
    void FillImportList(const QStringList& files);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void btnAddClick();
    void PopupMenuExport_DeleteClick();
    void PopupMenuExport_DeleteAllClick();
    void SpeedButtonBackClick();
    void EditGroupNameChange();
    void lstPlayerExportChange();
    void lstPlayerExportSelectItem();
    void SpeedButtonExportClick();
    void btnRefreshClick();
    void LstPlayerImportSelectItem();
    void LstPlayerImportChange();
    void btnDetailsClick();
    void LstPlayerImportDblClick();
    void btnImportClick();
    QTreeWidgetItem* selectedImportItem() const;

    Ui::TfrmExportPlayer* ui;
};

// Shows one fetched group description (IniDatei, set by the caller).
class TfrmExportPlayer_Details : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExportPlayer_Details(QWidget* parent = nullptr);
    ~TfrmExportPlayer_Details() override;

    QString IniDatei;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();

    Ui::TfrmExportPlayer_Details* ui;
};

// Opens the exchange as a dialog of its own (the player card's way in).
void ShowExportPlayerDialog();
// True when the file exists.
bool FileExistsStr(const QString& path);
