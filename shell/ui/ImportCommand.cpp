// The main menu's "Spieler übernehmen": a player of the sibling program is chosen from its
// export folder, taken over into the store (ImportSiblingPlayer, with the completion's
// questions asked in the question dialog), and a completed player is shown on the player
// card for its personal data.
//
// The card shows a player just taken over without a picture (it has none yet, and the
// store's placeholder would look like one) and without a path for the situation overview.
#include "shell/ui/uMain.h"

#include "engine/uTApplicationEnviroment.h"
#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/PlayerFile.h"
#include "players/ui/uPLYSpielerauswahl.h"
#include "players/ui/uQXRProba.h"
#include "players/ui/uSpielerAnzeige.h"
#include "players/ui/ufrmInit.h"
#include "shell/SiblingImport.h"
#include "shell/ui/Startup.h"
#include "ui_uMain.h"

#include <QLabel>

using namespace colours;

namespace {

void ShowOnCard(TfrmSpielerAnzeige* card, const QString& player) {
    ApplyFormDefaults(clDarkGreen, clGreen, card, help::PlayerCard);
    card->ShowImportedPlayer(player);
    // A failed save leaves the file as it was and the card open with the edits.
    for (;;) {
        if (card->exec() != modal::Ok)
            return;
        if (platform::guarded(card, [&] { card->SavePlayer(player); }))
            return;
    }
}

} // namespace

void TfrmMain::btnImportClick() {
    ui->pnlMNUHauptmenue->hide();
    auto* card = startupForm<TfrmSpielerAnzeige>();
    platform::guarded(this, [this, card] {
        auto* chooser = startupForm<TfrmPLYAuswahl>();
        auto* questions = startupForm<TfrmQXRProba>();
        if (chooser == nullptr || questions == nullptr)
            return;
        ApplyFormDefaults(clDarkGreen, clGreen, chooser, help::SiblingImport);
        // The file is converted from, and removed from, the folder the chooser listed.
        const QString exportFolder = platform::withTrailingSlash(Umgebung->PelkamExportPath());
        chooser->PelkamExportPath = exportFolder;
        if (chooser->exec() != modal::Ok)
            return;

        const TApplicationEnviroment settings;
        const QString texts = settings.WendrakTextPath();
        ApplyFormDefaults(clDarkGreen, clGreen, questions, help::SiblingImport);
        const SiblingImportResult taken = ImportSiblingPlayer(
            {exportFolder, chooser->lblBack()->text(), settings.WendrakPath(), Modus == 2,
             glbNeuBerechnen},
            [this](const QString&) {
                return platform::askYesNo(
                    this, QStringLiteral("Ein Spieler mit diesem Namen existiert bereits.\n"
                                         "Möchten Sie ihn ersetzen ?"));
            },
            [&](const QString& page) { return AskQuestion(questions, texts, page); });
        if (taken.completed && card != nullptr)
            ShowOnCard(card, taken.player);
        SpielerListe = BuildPlayerIndexWithWait(Gruppe, playerStoreFolder(), this);
    });
    if (card != nullptr)
        card->hide();
    ui->pnlMNUHauptmenue->show();
}
