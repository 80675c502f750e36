// Program start-up (see Startup.h).
#include "shell/ui/Startup.h"

#include "engine/PlayerTestRuns.h"
#include "engine/uTApplicationEnviroment.h"
#include "engine/ui/uWarten.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"
#include "platform/ui/Application.h"
#include "platform/ui/ErrorReport.h"
#include "players/ui/uAutomaten.h"
#include "players/ui/uNeuerSpieler.h"
#include "players/ui/uPLYAendern.h"
#include "players/ui/uPLYSpielerauswahl.h"
#include "players/ui/uQXRProba.h"
#include "players/ui/uSpielerAnzeige.h"
#include "players/ui/uUebersicht.h"
#include "players/ui/ufrmChooseGroup.h"
#include "players/ui/ufrmChoosePlayer.h"
#include "players/ui/ufrmCreateGame.h"
#include "players/ui/ufrmExportPlayer.h"
#include "players/ui/ufrmFTPPlayer.h"
#include "shell/ui/HelpViewer.h"
#include "shell/ui/uAutor.h"
#include "shell/ui/uDirectory.h"
#include "shell/ui/uFrmExperimenteMenu.h"
#include "shell/ui/uIntroMain.h"
#include "shell/ui/uMain.h"
#include "shell/ui/uSYSPfade.h"
#include "shell/ui/uStart.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QApplication>
#include <QGuiApplication>

void InitWendrakResources() {
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(resources);
        done = true;
    }
}

namespace {

template <class T>
QWidget* create() {
    return new T;
}

// To add a form that lives for the whole run: include its header above and put
// `create<TfrmYours>,` on a line of its own at its place in the start-up order below;
// windows reach it through startupForm<TfrmYours>(), and it is freed with the others.
// clang-format off
QWidget* (*const kStartupOrder[])() = {
    create<TfrmMain>,
    create<TfrmSpielerAnzeige>,
    create<TfrmTXTAusgabeHTML>,
    create<TForm9>,
    create<TForm10>,
    create<TfrmStart>,
    create<TfrmNeuerSpieler>,
    create<TfrmAutor>,
    create<TfrmAutomaten>,
    create<TfrmDirectory>,
    create<TfrmQXRProba>,
    create<TfrmFTPPlayer>,
    create<TfrmExportPlayer>,
    create<TfrmExportPlayer_Details>,
    create<TfrmDravolenzMain_New>,
    create<TfrmPfade>,
    create<TfrmPLYAuswahl>,
    create<TfrmPLYAendern>,
    create<TfrmIntroMain>,
    create<TfrmExperimenteMenu>,
    create<TfrmChoosePlayer>,
    create<TfrmCreateGame>,
    create<TfrmChooseGroup>,
};
// clang-format on

QList<QWidget*> g_forms;

// The exchange's windows reach the settings object through start-up: it lives below them.
ExchangeEnvironment readExchangeEnvironment() {
    const TApplicationEnviroment settings(platform::programPath());
    return {platform::withTrailingSlash(settings.WendrakPath()), settings.Username(),
            ReadExchangeServer(settings.IniFileName())};
}

// The player chooser's details: traits and the measures not yet stored, in one read.
SpielerTyp measureChosenPlayer(const QString& path) {
    return MeasurePlayerFile(path, false);
}

// The start-up forms that hand work to each other.
void connectForms(bool on) {
    if (auto* setup = startupForm<TfrmCreateGame>())
        setup->ChooseGroup = on ? startupForm<TfrmChooseGroup>() : nullptr;
    if (auto* card = startupForm<TfrmSpielerAnzeige>())
        card->Uebersicht = on ? startupForm<TForm9>() : nullptr;
    if (auto* chooser = startupForm<TfrmChoosePlayer>())
        chooser->TestRuns = on ? &measureChosenPlayer : nullptr;
}

} // namespace

const QList<QWidget*>& startupForms() {
    return g_forms;
}

void CreateStartupForms() {
    SetExchangeEnvironmentReader(&readExchangeEnvironment);
    for (auto createForm : kStartupOrder)
        g_forms << createForm();
    connectForms(true);
}

void DestroyStartupForms() {
    connectForms(false);
    while (!g_forms.isEmpty())
        delete g_forms.takeLast();
    SetExchangeEnvironmentReader({});
}

int runWendrak(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setProgramPath(QCoreApplication::applicationFilePath());
    platform::setUpApplication(app);
    QCoreApplication::setApplicationName(QStringLiteral("Wendrak"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Wendrak"));
    installHelpHandler();

    try {
        CreateStartupForms();
    } catch (const std::exception& e) {
        const auto* error = dynamic_cast<const WendrakError*>(&e);
        platform::showError(nullptr,
                            error != nullptr ? error->message() : QString::fromLocal8Bit(e.what()));
        DestroyStartupForms();
        return 1;
    }

    TfrmMain* main = startupForm<TfrmMain>();
    QObject::connect(main, &TfrmMain::closed, &app, &QCoreApplication::quit);
    main->show();
    const int code = app.exec();
    DestroyStartupForms();
    return code;
}
