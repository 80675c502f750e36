// The player chooser: the user narrows the store's players with a fixed tree of categories
// and types, sees the selected player's motto, personal data, traits and picture, and picks
// one. Created once at start-up and reused.
//
// How to call it:
//   chooser->SpielerListe = the main window's player list;  (category character + file name)
//   chooser->TestRuns = ...;          (the player test runs; set once by the main window)
//   ApplyFormDefaults(clDarkGreen, clGreen, chooser, help::PlayerChooser);
//   chooser->ClearDetails();          (the show-player command starts with empty details)
//   if (chooser->exec() == modal::Ok) use chooser->SpielerDatei;  (file name in "SpielerStamm/")
// exec() returns 2 for "Zurück" (also Escape or closing). SpielerDatei keeps its value
// between showings.
#pragma once

#include "players/PlayerCard.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace Ui {
class TfrmChoosePlayer;
}

class TfrmChoosePlayer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmChoosePlayer(QWidget* parent = nullptr);
    ~TfrmChoosePlayer() override;

    // The player list to choose from (set before exec()).
    QStringList SpielerListe;
    // The chosen player's file name, without folder; empty while none is selected.
    QString SpielerDatei;
    // Brings a writable player file (full path) up to date with one read: its traits derived
    // and the measures not yet stored computed by the four player test runs; returns the
    // record as it now stands. Unset: only the traits are derived. Never run on a read-only
    // player (see IsReadOnlyPlayer).
    PlayerTestRunsFn TestRuns;

    // Lists the entries of SpielerListe whose category character is category and, unless
    // typeFilter is "-1", whose lower-cased text holds "typ" + typeFilter.
    void FillPlayerList(const QString& category, const QString& typeFilter);
    // Derives the player's traits, runs the test runs not yet stored (neither for a read-only
    // player) and shows the player in the details memo and picture. Throws WendrakError for a
    // player file it cannot read or write.
    void ShowPlayerDetails(const QString& fileName);
    // Empties the details memo.
    void ClearDetails();

    // Modal results: 1 Ok, 2 Zurück (also on Escape or closing the window).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void trvFilterClick();
    void lstStammSelectItem();
    void lstStammDblClick();
    void btnOkClick();
    void btnCancelClick();

    std::unique_ptr<Ui::TfrmChoosePlayer> ui;
};
