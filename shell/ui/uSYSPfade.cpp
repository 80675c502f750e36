// The settings dialog (see uSYSPfade.h).
#include "shell/ui/uSYSPfade.h"

#include "engine/uTApplicationEnviroment.h"
#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "ui_uSYSPfade.h"

#include <QLineEdit>
#include <QShowEvent>

TfrmPfade::TfrmPfade(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmPfade) {
    ui->setupUi(this);
    FormCreate();
}

TfrmPfade::~TfrmPfade() {
    delete ui;
}

void TfrmPfade::FormCreate() {
    Umgebung = std::make_unique<TApplicationEnviroment>(platform::programPath());
    CentrePanelInFrame(ui->pnlMNUHauptmenue, ui->pnlRahmen, CoverScreenInBlack(this).size(), 15);
    ui->JvGradient2->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());
    // The shaded folders stay readable on the edits' grey.
    for (QLineEdit* shaded :
         {ui->wendrakpath, ui->WendrakTextPath, ui->PelkamExportPath, ui->PelkamPath}) {
        QPalette palette = shaded->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text,
                         GradientWidget::fromBgr(colours::clGray));
        shaded->setPalette(palette);
    }
    connect(ui->btnBrowse, &QPushButton::clicked, this, &TfrmPfade::btnBrowseClick);
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmPfade::btnOKClick);
}

void TfrmPfade::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmPfade::FormActivate() {
    // Other windows' settings objects may have written the file since the last showing.
    platform::guarded(this, [this] { Umgebung->ReadSettings(); });
    ui->Rootpath->setText(Umgebung->RootPath());
    ui->wendrakpath->setText(Umgebung->WendrakPath());
    ui->WendrakTextPath->setText(Umgebung->WendrakTextPath());
    ui->PelkamPath->setText(Umgebung->PelkamPath());
    ui->PelkamExportPath->setText(Umgebung->PelkamExportPath());
    ui->Name->setText(Umgebung->Username());
}

void TfrmPfade::btnOKClick() {
    Umgebung->SetRootPath(ui->Rootpath->text());
    Umgebung->SetWendrakPath(ui->wendrakpath->text());
    Umgebung->SetWendrakTextPath(ui->WendrakTextPath->text());
    Umgebung->SetPelkamPath(ui->PelkamPath->text());
    Umgebung->SetPelkamExportPath(ui->PelkamExportPath->text());
    Umgebung->SetUsername(ui->Name->text());
    // A save that is refused or fails keeps the dialog open with the typed values. Having no
    // cancel button, the dialog says with every such message how to leave it.
    const bool saved = platform::guarded(this, [this] {
        try {
            Umgebung->WriteSettings();
        } catch (const WendrakError& e) {
            throw WendrakError(e.message() +
                               QStringLiteral("\n\nMit Esc schließen Sie den Dialog, ohne zu "
                                              "speichern."));
        }
    });
    if (saved)
        done(modal::Ok);
}

void TfrmPfade::btnBrowseClick() {
    // "&Suchen" offers no folder browser; the folders are typed.
}
