// The group management (see ufrmGRPCreate.h).
#include "players/ui/ufrmGRPCreate.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/NameCheck.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/GameSetup.h"
#include "players/OwnGroups.h"
#include "players/ui/PlayerListView.h"
#include "ui_ufrmGRPCreate.h"

#include <QShowEvent>
#include <QTreeWidgetItem>

namespace {

const char* const kOverwriteQuestion = "Eine Gruppe mit diesem Namen existiert bereits.\r\n"
                                       "Möchten Sie die vorhande Gruppe überschreiben ?";
const char* const kNewGroupName = "Neue Gruppe";

} // namespace

TfrmGRPCreate::TfrmGRPCreate(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmGRPCreate) {
    ui->setupUi(this);
    FormCreate();
}

TfrmGRPCreate::~TfrmGRPCreate() {
    delete ui;
}

void TfrmGRPCreate::FormCreate() {
    CentrePanelInFrame(ui->pnlSpieler, ui->pnlRahmen, CoverScreenInBlack(this).size());
    ui->JvGradient1_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());

    for (QTreeWidget* list : {ui->lstGroup, ui->lstStamm, ui->lstSpieler, ui->trvFilter})
        MakeListGrey(list);
    QPalette minus = ui->btnDeleteSelected->palette();
    minus.setColor(QPalette::ButtonText, GradientWidget::fromBgr(colours::clMaroon));
    ui->btnDeleteSelected->setPalette(minus);

    // "Persönliche Spieler" itself lists nothing; the user's players are under "Kemrafeld".
    FillPlayerFilterTree(ui->trvFilter, "-1", "3");
    ui->trvFilter->expandAll();
    ui->pnlCreateGroup->hide();
    ui->btnDeleteSelected->setEnabled(false);
    ui->pnlNewGroup->raise();

    connect(ui->lstGroup->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmGRPCreate::lstGroupSelectItem);
    connect(ui->lstSpieler, &QTreeWidget::itemSelectionChanged, this,
            &TfrmGRPCreate::lstSpielerSelectItem);
    connect(ui->trvFilter, &QTreeWidget::itemClicked, this, [this] { trvFilterClick(); });
    connect(ui->btnAddOne, &QPushButton::clicked, this, [this] { btnAddAllClick(); });
    connect(ui->lstStamm, &QTreeWidget::itemDoubleClicked, this, [this] { btnAddAllClick(); });
    connect(ui->btnDeleteSelected, &QPushButton::clicked, this,
            [this] { btnDeleteSelectedClick(); });
    connect(ui->btnNewGroup, &QPushButton::clicked, this, [this] { btnNewGroupClick(); });
    connect(ui->btnCancelNewGroup, &QPushButton::clicked, this,
            [this] { btnCancelNewGroupClick(); });
    connect(ui->btnCreateNewGroup, &QPushButton::clicked, this,
            [this] { btnCreateNewGroupClick(); });
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmGRPCreate::btnOkClick);
}

QString TfrmGRPCreate::dataFolder() const {
    return WendrakPath;
}

void TfrmGRPCreate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmGRPCreate::FormActivate() {
    ui->pnlNewGroup->hide();
    FillGroupList();
    FillPlayerList(QStringLiteral("-1"), QStringLiteral("-1"));
}

void TfrmGRPCreate::FillGroupList() {
    QStringList names;
    platform::guarded(this, [&] { names = Gruppe.ListOwnGroups(dataFolder()); });
    FillNameList(ui->lstGroup, names);
}

void TfrmGRPCreate::FillGroupMembers() {
    QStringList members;
    platform::guarded(this, [&] { members = ReadOwnGroup(dataFolder(), Gruppenname); });
    FillNameList(ui->lstSpieler, members);
    ui->btnDeleteSelected->setEnabled(false);
}

void TfrmGRPCreate::FillPlayerList(const QString& category, const QString& typeFilter) {
    FillNameList(ui->lstStamm, FilterPlayerList(SpielerListe, category, typeFilter));
}

void TfrmGRPCreate::SaveGroup() {
    platform::guarded(
        this, [&] { SaveOwnGroup(dataFolder(), Gruppenname, AllCaptions(ui->lstSpieler)); });
}

void TfrmGRPCreate::btnOkClick() {
    done(modal::Ok);
}

void TfrmGRPCreate::lstSpielerSelectItem() {
    ui->btnDeleteSelected->setEnabled(!ui->lstSpieler->selectedItems().isEmpty());
}

void TfrmGRPCreate::lstGroupSelectItem(const QItemSelection& selected,
                                       const QItemSelection& deselected) {
    // Each row whose selection changed, as it changed: the last one selected is shown.
    if (!deselected.isEmpty())
        ui->pnlCreateGroup->hide();
    const QModelIndexList rows = selected.indexes();
    if (rows.isEmpty())
        return;
    ui->pnlCreateGroup->show();
    Gruppenname = rows.last().data().toString();
    FillGroupMembers();
}

void TfrmGRPCreate::trvFilterClick() {
    if (const QTreeWidgetItem* item = ui->trvFilter->currentItem())
        FillPlayerList(NodeCategory(item), NodeType(item));
}

void TfrmGRPCreate::btnAddAllClick() {
    // A player already in the group is added once more: it plays twice.
    AddToNameList(ui->lstSpieler, SelectedCaptions(ui->lstStamm));
    SaveGroup();
}

void TfrmGRPCreate::btnDeleteSelectedClick() {
    RemoveSelectedRows(ui->lstSpieler);
    SaveGroup();
}

void TfrmGRPCreate::EnableOutsideNewGroup(bool enabled) {
    ui->btnOk->setEnabled(enabled);
    ui->pnlPlayerList->setEnabled(enabled);
    ui->pnlCreateGroup->setEnabled(enabled);
}

void TfrmGRPCreate::btnNewGroupClick() {
    ui->txtNewGroupName->setText(QString::fromUtf8(kNewGroupName));
    EnableOutsideNewGroup(false);
    ui->pnlNewGroup->show();
    ui->txtNewGroupName->setFocus();
    ui->txtNewGroupName->selectAll();
}

void TfrmGRPCreate::btnCancelNewGroupClick() {
    EnableOutsideNewGroup(true);
    ui->pnlNewGroup->hide();
}

void TfrmGRPCreate::btnCreateNewGroupClick() {
    const QString name = ui->txtNewGroupName->text();
    // An unusable name would address "Eigene Gruppen" itself or a folder elsewhere: the
    // panel stays open for a better one.
    if (!platform::IsUsableFileName(name)) {
        platform::showError(this, platform::UnusableNameMessage());
        ui->txtNewGroupName->setFocus();
        return;
    }
    btnCancelNewGroupClick();
    if (OwnGroupExists(dataFolder(), name) &&
        !platform::askYesNo(this, QString::fromUtf8(kOverwriteQuestion)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))))
        return;
    const bool created = platform::guarded(this, [&] { CreateOwnGroup(dataFolder(), name); });
    if (!created)
        return;
    ui->lstSpieler->clear();
    Gruppenname = name;
    FillGroupList();
    // The new group is the selected one, so its (empty) member list is what shows.
    const auto rows = ui->lstGroup->findItems(name, Qt::MatchFixedString);
    if (!rows.isEmpty())
        ui->lstGroup->setCurrentItem(rows.first());
}
