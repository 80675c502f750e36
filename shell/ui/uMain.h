// The main window: the full-screen main menu with its commands, the debug switch, the help
// file, the start of the sibling program, the farewell, the challenge loop, the standard
// experiments and the tournament run as the main window starts it.
#pragma once

#include "players/uTGroup.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QFrame;
class QToolButton;
class QPushButton;
class GradientWidget;
class TApplicationEnviroment;
class THTMLBuilder;
class TfrmDravolenzMain_New;

namespace Ui {
class TfrmMain;
}

// The force flag of the player test runs: set at start, never cleared.
extern bool glbNeuBerechnen;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The main window's own objects, kept for its lifetime.
    TGroup Gruppe;
    std::unique_ptr<TApplicationEnviroment> Umgebung;
    std::unique_ptr<THTMLBuilder> HTMLBuilder;
    QStringList SpielerListe;
    // 0 after creation; nothing in the program changes it.
    int Modus = 0;

    // The first activation (intro and start page) is still to come.
    bool ErsteAktivierung = true;

    // Menu commands.
    void btnGruppenClick();
    void btnAnzeigenClick();
    void btnImportClick();
    void btnNeuerSpielerClick();
    void btnGruppenverwaltungClick();
    void btnExportClick();
    void btnPelkamClick();
    void btnEigenesClick();
    void btnOekologieClick();
    void btnGlossarClick();
    void btnErfolgClick();
    void btnExperimenteClick();
    void btnmAuswertungClick();
    void btnInfoClick();
    void BitBtn1Click();
    void btnBeendenClick();
    void btnHelpClick();
    // A double-click on the background: the debug switch.
    void FormDblClick();

    // Commands that no control of the window invokes.
    // Turns the text player file FileName (40 line pairs) into a player file beside it
    // (extension ".PLY"), shows it on the player card and saves the card's personal data.
    void LadeSpieler(const QString& FileName);
    // The corner switches: a click within 10 pixels of the top-left corner locks or frees
    // the player card's "&Typen" button; one at the top of the right half opens the
    // automaton editor.
    void imgBackMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // Opens the automaton editor.
    void Label1DblClick();

    // Every activation: look, first-time intro and start page, the three Modus buttons.
    void FormActivate();

    // The tournament run over the current game with the result files in OutFolder:
    // 0 cancelled, 1 a new group was asked for, 2 any other end. Errors are shown here.
    int PlayDravolenz_new(const QString& OutFolder);

    // The text window's page dialog on the start-up instance.
    int ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                     const QString& ButtonCaption, bool CloseMode, int HelpContext);

    // The window's components under their layout names.
    QFrame* pnlMNUHauptmenue() const;
    GradientWidget* pnlRahmen() const;
    QLabel* imgLogo() const;
    QLabel* LblDebug() const;
    QToolButton* button(const QString& name) const;
    QPushButton* btnHelp() const;

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void FirstActivation();
    QString textPath() const;
    QString wendrakPath() const;

    std::unique_ptr<Ui::TfrmMain> ui;
    bool m_firstActivationRunning = false;
};
