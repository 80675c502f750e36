// The main window (see uMain.h).
#include "shell/ui/uMain.h"

#include "platform/Colours.h"

#include "ui_uMain.h"

#include "engine/PlayerTestRuns.h"
#include "engine/ResultDisplay.h"
#include "engine/Tournament.h"
#include "engine/WendrakCalc.h"
#include "engine/uTApplicationEnviroment.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/OwnActivation.h"
#include "platform/ui/uTFormDefault.h"
#include "players/PlayerFile.h"
#include "players/TextPlayer.h"
#include "players/ui/uAutomaten.h"
#include "players/ui/uNeuerSpieler.h"
#include "players/ui/uPLYAendern.h"
#include "players/ui/uSpielerAnzeige.h"
#include "players/ui/ufrmChoosePlayer.h"
#include "players/ui/ufrmCreateGame.h"
#include "players/ui/ufrmExportPlayer.h"
#include "players/ui/ufrmGRPCreate.h"
#include "players/ui/ufrmInit.h"
#include "shell/uTCreateHTML.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/ProgressObserver.h"
#include "shell/ui/Startup.h"
#include "shell/ui/uFrmExperimenteMenu.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/uSYSPfade.h"
#include "shell/ui/ufrmDravolHintergundmaterial.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

bool glbNeuBerechnen = false;

namespace {

using namespace colours;

// The automaton editor writes into the root folder, the program folder's parent.
TfrmAutomaten* automatonEditor() {
    auto* editor = startupForm<TfrmAutomaten>();
    if (editor != nullptr)
        editor->ZielOrdner = platform::withTrailingSlash(
            QDir::cleanPath(platform::programFolder() + QStringLiteral("..")));
    return editor;
}

// Restores the main menu on every way out of the challenge.
class MenuHidden {
public:
    MenuHidden(QWidget* logo, QWidget* menu) : m_logo(logo), m_menu(menu) {
        m_logo->hide();
        m_menu->hide();
    }
    ~MenuHidden() {
        m_logo->show();
        m_menu->show();
    }
    MenuHidden(const MenuHidden&) = delete;
    MenuHidden& operator=(const MenuHidden&) = delete;

private:
    QWidget* m_logo;
    QWidget* m_menu;
};

} // namespace

// ---------------------------------------------------------------------------------------
// The main window

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmMain>()) {
    InitWendrakResources();
    ui->setupUi(this);

    const struct {
        const char* name;
        void (TfrmMain::*handler)();
    } commands[] = {
        {"btnGruppen", &TfrmMain::btnGruppenClick},
        {"btnAnzeigen", &TfrmMain::btnAnzeigenClick},
        {"btnImport", &TfrmMain::btnImportClick},
        {"btnNeuerSpieler", &TfrmMain::btnNeuerSpielerClick},
        {"btnGruppenverwaltung", &TfrmMain::btnGruppenverwaltungClick},
        {"btnExport", &TfrmMain::btnExportClick},
        {"btnPelkam", &TfrmMain::btnPelkamClick},
        {"btnEigenes", &TfrmMain::btnEigenesClick},
        {"btnOekologie", &TfrmMain::btnOekologieClick},
        {"btnGlossar", &TfrmMain::btnGlossarClick},
        {"btnErfolg", &TfrmMain::btnErfolgClick},
        {"btnExperimente", &TfrmMain::btnExperimenteClick},
        {"btnmAuswertung", &TfrmMain::btnmAuswertungClick},
        {"btnInfo", &TfrmMain::btnInfoClick},
        {"BitBtn1", &TfrmMain::BitBtn1Click},
        {"btnBeenden", &TfrmMain::btnBeendenClick},
    };
    for (const auto& c : commands) {
        QToolButton* b = button(QString::fromLatin1(c.name));
        connect(b, &QToolButton::clicked, this, c.handler);
    }
    connect(ui->btnHelp, &QPushButton::clicked, this, &TfrmMain::btnHelpClick);
    new platform::OwnActivation(this, [this] { FormActivate(); });

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

QFrame* TfrmMain::pnlMNUHauptmenue() const {
    return ui->pnlMNUHauptmenue;
}
GradientWidget* TfrmMain::pnlRahmen() const {
    return ui->pnlRahmen;
}
QLabel* TfrmMain::imgLogo() const {
    return ui->imgLogo;
}
QLabel* TfrmMain::LblDebug() const {
    return ui->LblDebug;
}
QPushButton* TfrmMain::btnHelp() const {
    return ui->btnHelp;
}

QToolButton* TfrmMain::button(const QString& name) const {
    return findChild<QToolButton*>(name);
}

QString TfrmMain::textPath() const {
    return platform::withTrailingSlash(Umgebung->WendrakTextPath());
}

QString TfrmMain::wendrakPath() const {
    return platform::withTrailingSlash(Umgebung->WendrakPath());
}

void TfrmMain::FormCreate() {
    LayOutScreenPanel(this, ui->pnlMNUHauptmenue, GradientWidget::fromBgr(clMenuFrame),
                      ui->pnlRahmen, 15, ui->imgLogo, primaryScreenSize());
    ui->LblDebug->move(0, 0);
    ui->LblDebug->raise();
    glbNeuBerechnen = true;

    // A store that cannot be listed must not keep the program from starting: the user is
    // told and works with an empty list until the next rebuild.
    try {
        SpielerListe = BuildPlayerIndexWithWait(Gruppe, playerStoreFolder(), nullptr);
    } catch (const WendrakError& e) {
        SpielerListe.clear();
        platform::showError(nullptr, e.message());
    }

    Umgebung = std::make_unique<TApplicationEnviroment>(platform::programPath());
    HTMLBuilder = std::make_unique<THTMLBuilder>();

    const QString help = wendrakPath() + QStringLiteral("Kemrafeld.chm");
    setHelpFile(platform::fileExists(help) ? platform::resolvePath(help) : QString());
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (ErsteAktivierung)
        QTimer::singleShot(0, this, &TfrmMain::FormActivate);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TfrmMain::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only the bare background counts, not the menu, its frame or the logo.
    if (childAt(event->position().toPoint()) == nullptr)
        FormDblClick();
    else
        QWidget::mouseDoubleClickEvent(event);
}

void TfrmMain::FormActivate() {
    platform::guarded(this, [this] { ApplyFormDefaults(clNavy, clBlack, this, help::MainMenu); });
    if (ErsteAktivierung) {
        // Cleared first: the dialogs below activate this window again when they close.
        ErsteAktivierung = false;
        FirstActivation();
    }
    const bool enabled = Modus != 3;
    button(QStringLiteral("btnGruppen"))->setEnabled(enabled);
    button(QStringLiteral("btnGruppenverwaltung"))->setEnabled(enabled);
    button(QStringLiteral("btnEigenes"))->setEnabled(enabled);
    setFocus();
}

void TfrmMain::FirstActivation() {
    ui->pnlMNUHauptmenue->hide();
    ui->pnlRahmen->hide();
    if (TfrmIntroMain* intro = startupForm<TfrmIntroMain>())
        intro->exec();
    ShowHtmlPage(textPath() + QStringLiteral("StartText.html"), clNavy, clBlack, 420,
                 QStringLiteral("&Ok"), false, 0);
    ui->pnlRahmen->show();
    ui->pnlMNUHauptmenue->show();
}

int TfrmMain::ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                           const QString& ButtonCaption, bool CloseMode, int HelpContext) {
    int result = 2;
    platform::guarded(this, [&] {
        result =
            ::ShowHtmlPage(FileName, ColorA, ColorB, Height, ButtonCaption, CloseMode, HelpContext);
    });
    return result;
}

void TfrmMain::FormDblClick() {
    const bool on = ui->LblDebug->isHidden();
    ui->LblDebug->setVisible(on);
    SetDebugMode(on);
}

// Commands whose dialogs are not part of the program yet: they stay in the menu.
void TfrmMain::btnOekologieClick() {}

void TfrmMain::LadeSpieler(const QString& FileName) {
    repaint();
    auto* card = startupForm<TfrmSpielerAnzeige>();
    SpielerTyp player{};
    const QString output = TextPlayerOutputPath(FileName);
    // A short or damaged description is reported and nothing is written.
    const bool written = platform::guarded(this, [&] {
        player = ImportTextPlayer(FileName);
        if (card != nullptr) {
            ApplyFormDefaults(clDarkGreen, clGreen, card, help::PlayerCard);
            card->ShowPlayer(output);
        }
    });
    if (!written || card == nullptr)
        return;
    if (card->exec() == modal::Ok)
        platform::guarded(this, [&] { SaveTextPlayer(output, player, card->PersonalEdits()); });
    card->hide();
}

void TfrmMain::imgBackMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    if (X < 10 && Y < 10) {
        if (auto* card = startupForm<TfrmSpielerAnzeige>()) {
            const bool on = card->TypesButtonOn();
            platform::showMessage(this, on ? QStringLiteral("Gesperrt durch Administrator.")
                                           : QStringLiteral("Freigabe durch Administrator."));
            card->SetTypesButtonOn(!on);
        }
    }
    if (X > primaryScreenSize().width() / 2 && Y < 10) {
        if (auto* editor = automatonEditor(); editor != nullptr && editor->exec() == modal::Ok)
            editor->hide();
    }
}

void TfrmMain::Label1DblClick() {
    if (auto* editor = automatonEditor())
        editor->exec();
}

void TfrmMain::BitBtn1Click() {
    TfrmPfade* settings = startupForm<TfrmPfade>();
    if (settings == nullptr)
        return;
    platform::guarded(this, [&] { ApplyFormDefaults(clNavy, clBlack, settings, 0); });
    settings->exec();
}

void TfrmMain::btnGruppenverwaltungClick() {
    platform::guarded(this, [this] {
        TfrmGRPCreate form(this);
        form.SpielerListe = SpielerListe;
        // Read afresh: the settings dialog may have moved the data folder since start-up.
        form.WendrakPath = platform::withTrailingSlash(
            TApplicationEnviroment(platform::programPath()).WendrakPath());
        ApplyFormDefaults(clDarkGreen, clGreen, &form, help::GroupManagement);
        form.exec();
    });
}

void TfrmMain::btnGruppenClick() {
    RunChangePlayerWizard(this, startupForm<TfrmChoosePlayer>(), startupForm<TfrmPLYAendern>(),
                          Gruppe, playerStoreFolder(), SpielerListe);
}

void TfrmMain::btnNeuerSpielerClick() {
    RunNewPlayerWizard(this, startupForm<TfrmNeuerSpieler>(), Gruppe, playerStoreFolder(),
                       SpielerListe);
}

// Browsing the store: chooser, card, save, and the chooser again, until the user goes
// back from the chooser or leaves the card with "A&bbruch".
void TfrmMain::btnAnzeigenClick() {
    auto* chooser = startupForm<TfrmChoosePlayer>();
    auto* card = startupForm<TfrmSpielerAnzeige>();
    if (chooser == nullptr || card == nullptr)
        return;
    const QString store = playerStoreFolder();
    platform::guarded(this, [&] { Gruppe.RenewGroupFiles(store); });
    for (;;) {
        platform::guarded(this, [&] {
            ApplyFormDefaults(clDarkGreen, clGreen, chooser, help::PlayerChooser);
            ApplyFormDefaults(clDarkGreen, clGreen, card, help::PlayerCard);
        });
        chooser->SpielerListe = SpielerListe;
        chooser->ClearDetails();
        if (chooser->exec() != modal::Ok)
            return;
        const QString path = platform::resolvePath(store + chooser->SpielerDatei);
        // A player that cannot be read or measured is reported; the user chooses again.
        const bool shown = platform::guarded(this, [&] {
            PreparePlayerToShow(
                path, [](const QString& file) { return MeasurePlayerFile(file, glbNeuBerechnen); });
            card->ShowPlayer(path);
        });
        if (!shown)
            continue;
        // A failed save leaves the file as it was and the card open with the edits.
        bool saved = false;
        while (!saved) {
            if (card->exec() != modal::Ok) {
                card->hide();
                return;
            }
            saved = platform::guarded(this, [&] { card->SavePlayer(path); });
        }
        card->hide();
    }
}

// The exchange in place of the menu; the player list is built anew afterwards, whether or
// not players came in.
void TfrmMain::btnExportClick() {
    hide();
    {
        TfrmExportPlayer exchange(this);
        exchange.exec();
        platform::guarded(this, [this] {
            SpielerListe = BuildPlayerIndexWithWait(Gruppe, playerStoreFolder(), this);
        });
    }
    show();
}

void TfrmMain::btnPelkamClick() {
    // The sibling program is on its own: a failure to start it is not reported.
    platform::Desktop::instance().startProgram(
        platform::toSlashes(Umgebung->PelkamPath() + Umgebung->PelkamExeName()));
}

void TfrmMain::btnGlossarClick() {
    ShowHtmlPage(textPath() + QStringLiteral("Glossar_Dravolenz.html"), clPageRed, clMaroon, -1,
                 QStringLiteral("B&eenden"), false, help::Glossary);
}

void TfrmMain::btnErfolgClick() {
    ShowHtmlPage(textPath() + QStringLiteral("texte/Inhaltsverzeichnis.html"), clPageRed, clMaroon,
                 -1, QStringLiteral("B&eenden"), true, help::Contents);
}

void TfrmMain::btnmAuswertungClick() {
    ShowHtmlPage(textPath() + QStringLiteral("DE_Friedlich-evolutionäresVerhalten.html"), clPageRed,
                 clMaroon, -1, QStringLiteral("&Ok"), false, help::Evaluation);
}

void TfrmMain::btnInfoClick() {
    platform::guarded(this,
                      [] { ApplyFormDefaults(clNavy, clBlack, textWindow(), help::TextPage); });
    ShowHtmlPage(textPath() + QStringLiteral("DE_SoftwareWillkommen.html"), clNavy, clBlack, 560,
                 QStringLiteral("&Ok"), false, help::TextPage);
}

void TfrmMain::btnHelpClick() {
    showHelpContents();
}

void TfrmMain::btnBeendenClick() {
    if (TfrmIntroMain* intro = startupForm<TfrmIntroMain>()) {
        intro->lblHead()->setText(QStringLiteral(
            "Der Friede sei mit Ihnen. Mögen Sie glücklich sein und sich Ihres Lebens erfreuen."));
        intro->lblHead()->move(intro->lblHead()->x() + 20, intro->lblHead()->y() + 60);
        intro->lblSubHead()->hide();
        intro->btnStart()->setText(QStringLiteral("B&eenden"));
        intro->exec();
    }
    close();
}

// The challenge: the page, then game setup and run again and again while the result window
// asks for a new group.
void TfrmMain::btnEigenesClick() {
    MenuHidden hidden(ui->imgLogo, ui->pnlMNUHauptmenue);
    platform::guarded(this, [this] {
        ApplyFormDefaults(clBlack, clNavy, textWindow(), help::TextPage);
        const int page = ShowHtmlPage(textPath() + QStringLiteral("DE_Dravolenz.html"), clBlack,
                                      clNavy, -1, QStringLiteral("&Ok"), false, 0);
        if (page != 1)
            return;
        TfrmCreateGame* setup = startupForm<TfrmCreateGame>();
        if (setup == nullptr)
            return;
        for (;;) {
            setup->ZielOrdner = QStringLiteral("Aktuelles Spiel/");
            setup->SpielerListe = SpielerListe;
            ApplyFormDefaults(clBlack, clNavy, setup, help::GameSetup);
            setup->MaxSpieler = 125;
            if (setup->exec() != modal::Ok)
                break;
            if (PlayDravolenz_new(wendrakPath()) != RunNewGroup)
                break;
        }
    });
}

void TfrmMain::btnExperimenteClick() {
    TfrmExperimenteMenu* menu = startupForm<TfrmExperimenteMenu>();
    if (menu == nullptr)
        return;
    platform::guarded(
        this, [&] { ApplyFormDefaults(clPageRed, clMaroon, menu, help::StandardExperiments); });
    menu->lblCurrentPath()->setText(platform::programFolder() +
                                    QStringLiteral("Standardpräsentation"));
    if (menu->exec() == TfrmExperimenteMenu::ResultGroup)
        PlayDravolenz_new(menu->lblCurrentPath()->text());
}

int TfrmMain::PlayDravolenz_new(const QString& OutFolder) {
    int result = RunFinished;
    platform::guarded(this, [&] {
        TournamentState state;
        state.WendrakPath = wendrakPath();
        state.RootPath = platform::withTrailingSlash(Umgebung->RootPath());
        state.OutFolder = platform::toSlashes(OutFolder);

        std::unique_ptr<TfrmDravolenzMain_New> window(new TfrmDravolenzMain_New(this));
        ApplyFormDefaults(clBlack, clNavy, window.get(), help::ResultWindow);
        connect(window.get(), &TfrmDravolenzMain_New::backgroundMaterialRequested, window.get(),
                [parent = window.get()] {
                    TfrmDravolHintergundmaterial material(parent);
                    material.setWindowTitle(QStringLiteral("Hintergrundmaterial"));
                    material.exec();
                });
        ProgressObserver observer(this, window.get());

        TournamentOptions options;
        options.debug = DebugMode();
        result = ::PlayDravolenz_new(state, observer, window.get(), options);
    });
    return result;
}
