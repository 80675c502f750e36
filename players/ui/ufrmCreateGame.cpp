// The game setup (see ufrmCreateGame.h).
#include "players/ui/ufrmCreateGame.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "players/GameSetup.h"
#include "players/PlayerFile.h"
#include "players/ui/GroupMessages.h"
#include "players/ui/PlayerListView.h"
#include "players/ui/ufrmChooseGroup.h"
#include "ui_ufrmCreateGame.h"

#include <QShowEvent>
#include <QTreeWidgetItem>
#include <QWindow>
#include <cmath>

namespace {

constexpr int kExperimenteTop = 333;
const QColor kMarked = GradientWidget::fromBgr(colours::clGreen);
const QColor kUnmarked = GradientWidget::fromBgr(colours::clBlack);

void setTextColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(role, color);
    widget->setPalette(pal);
}

} // namespace

TfrmCreateGame::TfrmCreateGame(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmCreateGame) {
    ui->setupUi(this);
    FormCreate();
}

TfrmCreateGame::~TfrmCreateGame() {
    delete ui;
}

void TfrmCreateGame::FormCreate() {
    const QRect area = CoverScreenInBlack(this);

    // Halves rounded to the nearest pixel, ties to even.
    const auto half = [](int v) { return static_cast<int>(std::nearbyint(v / 2.0)); };
    QWidget* panel = ui->pnlSpieler;
    panel->move(half(area.width()) - half(panel->width()),
                half(area.height()) - half(panel->height()));
    ui->pnlRahmen->setGeometry(panel->x() - 5, panel->y() - 5, panel->width() + 10,
                               panel->height() + 10);
    ui->JvGradient1_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());

    for (QTreeWidget* list : {ui->lstStamm, ui->lstPlayer, ui->trvFilter})
        MakeListGrey(list);

    FillPlayerFilterTree(ui->trvFilter, "3", "4");

    connect(ui->btnAlleSpieler, &QPushButton::clicked, this,
            [this] { btnAlleSpielerClick(ui->btnAlleSpieler); });
    connect(ui->btnSExperimente, &QPushButton::clicked, this,
            [this] { btnAlleSpielerClick(ui->btnSExperimente); });
    for (QPushButton* b : {ui->btnAddOne, ui->btnAddAll, ui->btnDeleteAll, ui->btnDeleteOne})
        connect(b, &QPushButton::clicked, this,
                [this, b] { btnAddOneClick(b->property("Tag").toInt()); });
    connect(ui->lstStamm, &QTreeWidget::itemDoubleClicked, this,
            [this] { btnAddOneClick(ui->lstStamm->property("Tag").toInt()); });
    connect(ui->lstPlayer, &QTreeWidget::itemDoubleClicked, this,
            [this] { btnAddOneClick(ui->lstPlayer->property("Tag").toInt()); });
    connect(ui->trvFilter, &QTreeWidget::itemClicked, this, [this] { trvFilterClick(); });
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmCreateGame::reject);
}

void TfrmCreateGame::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmCreateGame::FormActivate() {
    ui->trvFilter->expandAll();
    SetSource(0);
    RefreshGameList();
}

void TfrmCreateGame::SetSource(int mode) {
    Quellmodus = mode;
    MarkSourceButton();
    if (mode == 0) {
        ui->trvFilter->show();
        ui->btnSExperimente->move(ui->btnSExperimente->x(), kExperimenteTop);
        Quellordner = playerStoreFolder();
        FillPlayerList(QStringLiteral("-1"), QStringLiteral("-1"));
    }
}

void TfrmCreateGame::MarkSourceButton() {
    setTextColor(ui->btnAlleSpieler, QPalette::ButtonText, Quellmodus == 0 ? kMarked : kUnmarked);
    setTextColor(ui->btnSExperimente, QPalette::ButtonText, Quellmodus == 0 ? kUnmarked : kMarked);
}

TfrmChooseGroup* TfrmCreateGame::chooser() {
    if (ChooseGroup == nullptr)
        ChooseGroup = new TfrmChooseGroup(this);
    return ChooseGroup;
}

void TfrmCreateGame::btnAlleSpielerClick(QObject* sender) {
    const int tag = sender->property("Tag").toInt();
    if (tag != 1) {
        SetSource(0);
        return;
    }
    Quellmodus = 1;
    MarkSourceButton();
    Quellordner = platform::programFolder() + QStringLiteral("Eigene Gruppen/");
    TfrmChooseGroup* dialog = chooser();
    ApplyFormDefaults(ui->JvGradient1->startColor(), ui->JvGradient1->endColor(), dialog, 0);
    // A chooser made without a parent must still stay above this full-screen window.
    if (dialog->parentWidget() == nullptr) {
        dialog->winId();
        if (QWindow* handle = dialog->windowHandle())
            handle->setTransientParent(window()->windowHandle());
    }
    if (dialog->exec() != modal::Ok)
        return;
    Quellordner = platform::extractFilePath(dialog->GruppenDatei);
    FillGroupPlayerList(Quellordner);
    ui->trvFilter->hide();
    ui->btnSExperimente->move(ui->btnSExperimente->x(), ui->trvFilter->y());
}

void TfrmCreateGame::FillPlayerList(const QString& category, const QString& typeFilter) {
    FillNameList(ui->lstStamm, FilterPlayerList(SpielerListe, category, typeFilter));
}

void TfrmCreateGame::FillGroupPlayerList(const QString& folder) {
    QStringList members;
    platform::guarded(this, [&] { members = ReadGroupSource(platform::programFolder(), folder); });
    FillNameList(ui->lstStamm, members);
}

void TfrmCreateGame::trvFilterClick() {
    const QTreeWidgetItem* item = ui->trvFilter->currentItem();
    if (item == nullptr)
        return;
    FillPlayerList(NodeCategory(item), NodeType(item));
}

void TfrmCreateGame::btnAddOneClick(int tag) {
    const QString target = gameFolder();
    // A failing copy would fail for every further player too: the first failure ends it.
    platform::guarded(this, [&] {
        switch (tag) {
        case 1:
            for (const QString& name : SelectedCaptions(ui->lstStamm))
                CopyPlayerToGame(name);
            break;
        case 2:
            for (const QString& name : AllCaptions(ui->lstStamm))
                CopyPlayerToGame(name);
            break;
        case 3:
            for (const QString& name : AllCaptions(ui->lstPlayer))
                TGroup::DeletePlayerFile(target + name);
            break;
        case 4:
            for (const QString& name : SelectedCaptions(ui->lstPlayer))
                TGroup::DeletePlayerFile(target + name);
            break;
        default:
            break;
        }
    });
    RefreshGameList();
}

QString TfrmCreateGame::gameFolder() const {
    return platform::programFolder() + platform::withTrailingSlash(ZielOrdner);
}

void TfrmCreateGame::CopyPlayerToGame(const QString& fileName) {
    if (CopyStoredPlayerToGame(platform::programFolder(), gameFolder(), fileName).isEmpty())
        ShowPlayerNotFound(this, fileName);
}

void TfrmCreateGame::RefreshGameList() {
    const QStringList names = GamePlayerFiles(gameFolder());
    FillNameList(ui->lstPlayer, names);
    const int count = static_cast<int>(names.size());
    ui->lblPlayerCount->setText(QString::number(count));
    const bool ok = IsPlayablePlayerCount(count, MaxSpieler);
    ui->btnOk->setEnabled(ok);
    setTextColor(ui->lblPlayerCount, QPalette::WindowText,
                 GradientWidget::fromBgr(ok ? colours::clWhite : colours::clRed));
}

void TfrmCreateGame::reject() {
    done(modal::Cancel);
}
