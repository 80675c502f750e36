// The chooser of the sibling program's players (see uPLYSpielerauswahl.h).
#include "players/ui/uPLYSpielerauswahl.h"

#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/uTFormDefault.h"
#include "ui_uPLYSpielerauswahl.h"

#include <QShowEvent>

TfrmPLYAuswahl::TfrmPLYAuswahl(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmPLYAuswahl) {
    ui->setupUi(this);
    LayOutCentredPanel(this, ui->pnlSpieler, ui->pnlRahmen);
    // Ok waits for a chosen file: a click, or a selection made with the keys. The list's
    // current row alone (set when the list takes the focus) chooses nothing.
    connect(ui->lstSpieler, &QListWidget::itemClicked, this, &TfrmPLYAuswahl::lstSpielerClick);
    connect(ui->lstSpieler, &QListWidget::itemSelectionChanged, this, [this] {
        if (!ui->lstSpieler->selectedItems().isEmpty())
            lstSpielerClick();
    });
    // A double-click on a file takes it; one beside the files takes nothing, so that no
    // file is taken over that the user has not chosen.
    connect(ui->lstSpieler, &QListWidget::itemDoubleClicked, this,
            &TfrmPLYAuswahl::lstSpielerDblClick);
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmPLYAuswahl::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmPLYAuswahl::btnCancelClick);
}

TfrmPLYAuswahl::~TfrmPLYAuswahl() {
    delete ui;
}

void TfrmPLYAuswahl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Initialisieren(PelkamExportPath);
}

void TfrmPLYAuswahl::Initialisieren(const QString& folder) {
    ui->btnOk->setEnabled(false);
    ui->lstSpieler->clear();
    ui->lstSpieler->addItems(platform::listFolder(platform::withTrailingSlash(folder),
                                                  QStringLiteral("*.TP0"),
                                                  platform::ListKind::Files, true));
    ui->lstSpieler->setCurrentRow(-1);
}

void TfrmPLYAuswahl::btnOKClick() {
    const QListWidgetItem* item = ui->lstSpieler->currentItem();
    if (item == nullptr || !item->isSelected())
        return;
    ui->lblBack->setText(item->text());
    done(modal::Ok);
}

void TfrmPLYAuswahl::lstSpielerClick() {
    ui->btnOk->setEnabled(true);
}

void TfrmPLYAuswahl::lstSpielerDblClick() {
    btnOKClick();
}

void TfrmPLYAuswahl::btnCancelClick() {
    done(modal::Cancel);
}

void TfrmPLYAuswahl::reject() {
    btnCancelClick();
}

QListWidget* TfrmPLYAuswahl::lstSpieler() const {
    return ui->lstSpieler;
}
QLabel* TfrmPLYAuswahl::lblBack() const {
    return ui->lblBack;
}
QPushButton* TfrmPLYAuswahl::btnOk() const {
    return ui->btnOk;
}
QPushButton* TfrmPLYAuswahl::btnCancel() const {
    return ui->btnCancel;
}
