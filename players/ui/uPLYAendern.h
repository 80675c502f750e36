// The change-player wizard TfrmPLYAendern: the user gives the chosen player a new name and
// answers up to fourteen questions about its behaviour; the answers rewrite parts of a copy
// of the player's situation table, which "Speichern" writes under the new name beside the
// chosen player. The chosen player's file is only read. A 51 ms timer drives the questions:
// the buttons only record an answer, the next tick applies it and moves on. Created at
// start-up; the caller puts the chosen player's path into lblSpielerFile before exec(),
// which returns 1 (saved) or 2 ("Zur&ück").
#pragma once

#include "players/ChangePlayerWizard.h"
#include "players/PlayerFile.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>

class QLabel;
class QTimer;
class TGroup;
class TfrmChoosePlayer;
namespace Ui {
class TfrmPLYAendern;
}

class TfrmPLYAendern : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPLYAendern(QWidget* parent = nullptr);
    ~TfrmPLYAendern() override;

    // The chosen player as read, and the copy that the questions change and that is saved.
    SpielerTyp SpielerAlt;
    SpielerTyp SpielerNeu;
    // The folder of the chosen player's file, with its trailing separator.
    QString Ordner;
    // Fragen[1] to Fragen[14] (Fragen[0] is unused).
    std::array<changeplayer::FrageTyp, changeplayer::kFragen + 1> Fragen;
    // The current question 1 to 14, or 15 when every question is answered.
    int Zustand = 1;
    // An answer to the current question waits to be applied.
    bool Beantwortet = false;

    // The chosen player's full path, set by the caller.
    QLabel* lblSpielerFile() const;
    QTimer* tmeMain() const { return m_timer; }

    void fktZeichneFrage(int Index);
    void tmeMainTimer();

    // Escape and closing the window count as "Zur&ück".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void txtSpielerNeuChange();
    void btnNameClick();
    void answer(int value);
    void BitBtn1Click();
    void btnNeinClick();
    void btnWeiterClick();
    void trkWertChange();
    void btnNochmalClick();
    void btnOKClick();
    void stopAsking(const QString& text, int colour);

    Ui::TfrmPLYAendern* ui;
    QTimer* m_timer = nullptr;
    // The accepted new name (the file name of the copy is this + ".Ply").
    QString m_neuerName;
};

// The main menu's "Spieler ändern": the player chooser over spielerListe, then, for the
// player chosen from store, the wizard; the chosen file is read first, and when that fails
// the user is told and the wizard does not open. After the wizard the store's index is
// rebuilt into spielerListe, whether or not a copy was saved.
void RunChangePlayerWizard(QWidget* owner, TfrmChoosePlayer* chooser, TfrmPLYAendern* wizard,
                           const TGroup& group, const QString& store, QStringList& spielerListe);
