// The player chooser (see ufrmChoosePlayer.h).
#include "players/ui/ufrmChoosePlayer.h"

#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/PictureImage.h"
#include "platform/ui/uTFormDefault.h"
#include "players/GameSetup.h"
#include "players/PlayerCard.h"
#include "players/ui/PlayerListView.h"
#include "ui_ufrmChoosePlayer.h"

#include <QPixmap>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTreeWidgetItem>

TfrmChoosePlayer::TfrmChoosePlayer(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmChoosePlayer>()) {
    ui->setupUi(this);
    FormCreate();
}

TfrmChoosePlayer::~TfrmChoosePlayer() = default;

void TfrmChoosePlayer::FormCreate() {
    CoverScreenInBlack(this);
    CentrePanelInFrame(ui->pnlSpieler, ui->pnlRahmen, size());
    ui->JvGradient1_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());
    ui->memDetail->clear();

    FillPlayerFilterTree(ui->trvFilter, "-1", "3", true);
    ui->trvFilter->expandAll();

    connect(ui->trvFilter, &QTreeWidget::itemClicked, this, [this] { trvFilterClick(); });
    connect(ui->lstStamm, &QTreeWidget::itemSelectionChanged, this,
            [this] { lstStammSelectItem(); });
    connect(ui->lstStamm, &QTreeWidget::itemDoubleClicked, this, [this] { lstStammDblClick(); });
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmChoosePlayer::btnOkClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmChoosePlayer::btnCancelClick);
}

void TfrmChoosePlayer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmChoosePlayer::FormActivate() {
    ui->imgDetail->clear();
    ui->btnOk->setEnabled(false);
    FillPlayerList(QStringLiteral("-1"), QStringLiteral("-1"));
}

void TfrmChoosePlayer::ClearDetails() {
    ui->memDetail->clear();
}

void TfrmChoosePlayer::FillPlayerList(const QString& category, const QString& typeFilter) {
    // Opening the chooser keeps SpielerDatei; a filter click reports the lost selection.
    const QSignalBlocker quiet(ui->lstStamm);
    FillNameList(ui->lstStamm, FilterPlayerList(SpielerListe, category, typeFilter));
}

void TfrmChoosePlayer::trvFilterClick() {
    const QTreeWidgetItem* item = ui->trvFilter->currentItem();
    if (item == nullptr)
        return;
    // The refilled list holds no selection: a player selected before has lost it.
    const bool hadSelection = !ui->lstStamm->selectedItems().isEmpty();
    FillPlayerList(NodeCategory(item), NodeType(item));
    if (hadSelection)
        lstStammSelectItem();
}

void TfrmChoosePlayer::ShowPlayerDetails(const QString& fileName) {
    ui->memDetail->clear();
    if (fileName.isEmpty())
        return;
    const PlayerDetails details = ChoosePlayerDetails(playerStoreFolder(), fileName, TestRuns);
    ui->memDetail->setPlainText(details.Lines.join(QLatin1Char('\n')));
    const QImage image = platform::loadPicture(details.Picture);
    ui->imgDetail->setPixmap(QPixmap::fromImage(image));
    ui->imgDetail->setVisible(!image.isNull());
}

void TfrmChoosePlayer::lstStammSelectItem() {
    const QList<QTreeWidgetItem*> selected = ui->lstStamm->selectedItems();
    SpielerDatei.clear();
    ui->btnOk->setEnabled(false);
    if (selected.isEmpty())
        return;
    const QString fileName = selected.first()->text(0);
    // A player that cannot be read stays unchosen; the message names its file.
    if (!platform::guarded(this, [&] { ShowPlayerDetails(fileName); }))
        return;
    SpielerDatei = fileName;
    ui->btnOk->setEnabled(true);
}

void TfrmChoosePlayer::lstStammDblClick() {
    if (!SpielerDatei.isEmpty())
        done(modal::Ok);
}

void TfrmChoosePlayer::btnOkClick() {
    done(modal::Ok);
}

void TfrmChoosePlayer::btnCancelClick() {
    done(modal::Cancel);
}

void TfrmChoosePlayer::reject() {
    btnCancelClick();
}
