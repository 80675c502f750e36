// The player card: a player's personal data (editable for a ".ply" player), its derived
// statements, its picture, and hidden fields with its type and four measures. Created once
// at start-up and reused by the show-player command and the import of sibling players.
//
// How to call it:
//   ApplyFormDefaults(clDarkGreen, clGreen, card, help::PlayerCard);
//   card->ShowPlayer(path);   (full path of the player file; throws WendrakError when the
//                              file cannot be read; the traits and measures must already be
//                              stored, the card only reads; ShowImportedPlayer after a
//                              take-over from the sibling program)
//   if (card->exec() == modal::Ok) card->SavePlayer(path);   (throws WendrakError; file unchanged)
//   card->hide();
// exec() returns 1 for "&Speichern" and 2 for "A&bbruch" (also Escape or closing).
// "&Speichern" refuses an edit that Windows-1252 cannot hold with a message over the card,
// which stays open. A ".plx" player (its path or its record's Dateiname holds ".plx") is
// shown read-only without "&Speichern".
// The hidden "&Typen" button shows the player's situations in Uebersicht (set at start-up).
#pragma once

#include "players/PersonalFields.h"
#include "players/PlayerFile.h"

#include <QDialog>
#include <QString>
#include <memory>

class QFileDialog;
class TForm9;
namespace Ui {
class TfrmSpielerAnzeige;
}

class TfrmSpielerAnzeige : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSpielerAnzeige(QWidget* parent = nullptr);
    ~TfrmSpielerAnzeige() override;

    // The card's copy of the shown record; SavePlayer writes it with the edits.
    SpielerTyp Spieler{};
    // The situation overview of "&Typen"; without one the button shows nothing.
    TForm9* Uebersicht = nullptr;
    // "Bild laden"'s file dialog (BMP and JPEG pictures).
    QFileDialog* OpenDialog1 = nullptr;

    // Reads the player at path into the card: personal data, statements (a "k.A." business
    // exploitability of a player that defends itself reliably becomes "Nein" in the card's
    // copy), type and measures, the picture from the store ("leer.bmp" when it is missing),
    // and the read-only state of a ".plx" player.
    void ShowPlayer(const QString& path);
    // The same for a player just taken over from the sibling program: the business
    // exploitability as stored, the picture only under Bilddatei as it stands (so such a
    // player opens without one), and no path for "&Typen".
    void ShowImportedPlayer(const QString& path);
    // Takes the six personal fields and the picture name into the record, marks its
    // measures valid and writes it whole to path (SaveCardPlayer). Refuses a ".plx" player
    // and an edit that Windows-1252 cannot hold.
    void SavePlayer(const QString& path);

    // Modal results: 1 Speichern, 2 Abbruch (also on Escape or closing the window).
    void reject() override;

    // What other windows need of the card: the six personal edits as they stand, and
    // whether the hidden "&Typen" button is switched on (it shows whenever the card does).
    PersonalFields PersonalEdits() const;
    bool TypesButtonOn() const;
    void SetTypesButtonOn(bool on);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void btnLoadPictureClick();
    void btnBildEntfernenClick();
    void BtnSaveClick();
    void SpeedButton2Click();
    void Button4Click();
    void btnExportClick();
    void fill(const QString& path, bool imported);
    // Shows the picture file in Image1; hides Image1 when it cannot be read.
    bool loadPicture(const QString& path);

    std::unique_ptr<Ui::TfrmSpielerAnzeige> ui;
};
