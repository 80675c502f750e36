// The game setup: the user copies player files from the player store (or the members of a
// chosen group) into the game's folder and removes them again. Created once and reused;
// the caller sets ZielOrdner, SpielerListe and MaxSpieler before exec(), which returns 1
// (Ok, the folder holds 2 to MaxSpieler players) or 2 (Abbruch).
#pragma once

#include "players/uTGroup.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class TfrmChooseGroup;
class QObject;
namespace Ui {
class TfrmCreateGame;
}

class TfrmCreateGame : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCreateGame(QWidget* parent = nullptr);
    ~TfrmCreateGame() override;

    TGroup Gruppe;
    // Folder of the source list: the store or the chosen group's folder.
    QString Quellordner;
    // 0 = all stored players, 1 = a group.
    int Quellmodus = 0;
    // Target folder relative to the program folder, with trailing separator
    // (for example "Aktuelles Spiel\").
    QString ZielOrdner;
    // The main window's player list (category character + file name).
    QStringList SpielerListe;
    // The largest number of players Ok accepts.
    int MaxSpieler = 0;

    // The group chooser opened by "Experimente". When none is set, the window creates one
    // of its own on first use and keeps it.
    TfrmChooseGroup* ChooseGroup = nullptr;

    void FillPlayerList(const QString& category, const QString& typeFilter);
    void FillGroupPlayerList(const QString& folder);
    void MarkSourceButton();
    void CopyPlayerToGame(const QString& fileName);
    void RefreshGameList();

    // Modal results: 1 Ok, 2 Abbruch (also on Escape or closing the window).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void btnAlleSpielerClick(QObject* sender);
    void btnAddOneClick(int tag);
    void trvFilterClick();
    void SetSource(int mode);
    TfrmChooseGroup* chooser();
    // The program folder + ZielOrdner.
    QString gameFolder() const;

    Ui::TfrmCreateGame* ui;
};
