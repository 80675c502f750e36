// The new-player wizard: the question page TfrmNeuerSpieler, created at start-up and shown
// once per step, and the driver that leads the user through the steps, saves the player
// into the store and rebuilds the store's index. The page knows nothing of players; the
// rules of the steps are NewPlayerWizard's.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QLineEdit;
class QSlider;
class TGroup;
namespace Ui {
class TfrmNeuerSpieler;
}

// The step (1 to 12) whose question the page shows; set by the driver before each showing.
extern int NeuerSpielerSchritt;

class TfrmNeuerSpieler : public QDialog {
    Q_OBJECT
public:
    // One entry of the question table; exactly one of hasText, yesNo and slider is set.
    struct FrageTyp {
        QString Kopf;
        QString Frage;
        std::uint8_t hasText = 0;
        std::int32_t maxLen = 0;
        std::uint8_t yesNo = 0;
        std::uint8_t slider = 0;
        std::uint8_t required = 0;
    };
    static constexpr int kFragen = 15;

    explicit TfrmNeuerSpieler(QWidget* parent = nullptr);
    ~TfrmNeuerSpieler() override;

    // The question table, Fragen[1] to Fragen[15] (Fragen[0] is unused).
    std::array<FrageTyp, kFragen + 1> Fragen;

    // Shows entry Step with an empty text field and the slider at 1.
    void ShowQuestion(int Step);

    QLineEdit* txtText() const;
    QSlider* trkWert() const;

    // Escape and closing the window count as "A&bbruch".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void trkWertChange();
    void btnOKClick();
    void btnCancelClick();

    Ui::TfrmNeuerSpieler* ui;
};

// The wizard as the main menu's "Neuen Spieler erstellen" runs it: the pages one by one
// (each modal), the player written into store, the store's group files renewed, and the
// store's index rebuilt into spielerListe, also when the user cancels.
void RunNewPlayerWizard(QWidget* owner, TfrmNeuerSpieler* page, const TGroup& group,
                        const QString& store, QStringList& spielerListe);
