// The game setup (see ufrmCreateGame.h).
#include "players/ui/ufrmCreateGame.h"

#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "players/GameSetup.h"
#include "players/ui/GroupMessages.h"
#include "players/ui/ufrmChooseGroup.h"
#include "ui_ufrmCreateGame.h"

#include <QShowEvent>
#include <QTreeWidgetItem>
#include <QWindow>
#include <cmath>

namespace {

// The filter tree's nodes carry the category and the type digit they select.
constexpr int kCategoryRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;

constexpr int kExperimenteTop = 333;
const QColor kMarked(0x00, 0x80, 0x00);
const QColor kUnmarked(0x00, 0x00, 0x00);

// The lists keep their rows sorted by text, letter case aside.
class NameItem : public QTreeWidgetItem {
public:
    explicit NameItem(const QString& text) : QTreeWidgetItem(QStringList(text)) {}
    bool operator<(const QTreeWidgetItem& other) const override {
        const int c = QString::compare(text(0), other.text(0), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : text(0) < other.text(0);
    }
};

void fillList(QTreeWidget* list, const QStringList& captions) {
    list->setSortingEnabled(false);
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(captions.size());
    for (const QString& caption : captions)
        items.append(new NameItem(caption));
    list->addTopLevelItems(items);
    list->setSortingEnabled(true);
    list->sortItems(0, Qt::AscendingOrder);
}

QStringList captions(const QList<QTreeWidgetItem*>& items) {
    QStringList result;
    for (const QTreeWidgetItem* item : items)
        result.append(item->text(0));
    return result;
}

QStringList allCaptions(const QTreeWidget* list) {
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        result.append(list->topLevelItem(i)->text(0));
    return result;
}

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

    for (QTreeWidget* list : {ui->lstStamm, ui->lstPlayer, ui->trvFilter}) {
        QPalette pal = list->palette();
        pal.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
        list->setPalette(pal);
    }

    const auto node = [](QTreeWidgetItem* item, const char* text, const char* category,
                         const char* type) {
        item->setText(0, QString::fromUtf8(text));
        item->setData(0, kCategoryRole, QString::fromLatin1(category));
        item->setData(0, kTypeRole, QString::fromLatin1(type));
        return item;
    };
    QTreeWidget* tree = ui->trvFilter;
    QTreeWidgetItem* own = node(new QTreeWidgetItem(tree), "Persönliche Spieler", "3", "-1");
    node(new QTreeWidgetItem(own), "Kemrafeld", "4", "-1");
    node(new QTreeWidgetItem(tree), "Dominante Spieler", "0", "-1");
    node(new QTreeWidgetItem(tree), "Besondere Spieler", "1", "-1");
    QTreeWidgetItem* trial = node(new QTreeWidgetItem(tree), "Versuchsspieler", "2", "0");
    for (int t = 1; t <= 6; ++t) {
        const QByteArray digit = QByteArray::number(t);
        node(new QTreeWidgetItem(trial), ("Typ" + digit).constData(), "2", digit.constData());
    }

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
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(1); });
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
        Quellordner = platform::programFolder() + QStringLiteral("SpielerStamm/");
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
    if (dialog->exec() != 1)
        return;
    Quellordner = platform::extractFilePath(dialog->GruppenDatei);
    FillGroupPlayerList(Quellordner);
    ui->trvFilter->hide();
    ui->btnSExperimente->move(ui->btnSExperimente->x(), ui->trvFilter->y());
}

void TfrmCreateGame::FillPlayerList(const QString& category, const QString& typeFilter) {
    fillList(ui->lstStamm, FilterPlayerList(SpielerListe, category, typeFilter));
}

void TfrmCreateGame::FillGroupPlayerList(const QString& folder) {
    QStringList members;
    platform::guarded(this, [&] { members = Gruppe.ReadGroupFile(folder); });
    fillList(ui->lstStamm, members);
}

void TfrmCreateGame::trvFilterClick() {
    const QTreeWidgetItem* item = ui->trvFilter->currentItem();
    if (item == nullptr)
        return;
    FillPlayerList(item->data(0, kCategoryRole).toString(), item->data(0, kTypeRole).toString());
}

void TfrmCreateGame::btnAddOneClick(int tag) {
    const QString target = gameFolder();
    // A failing copy would fail for every further player too: the first failure ends it.
    platform::guarded(this, [&] {
        switch (tag) {
        case 1:
            for (const QString& name : captions(ui->lstStamm->selectedItems()))
                CopyPlayerToGame(name);
            break;
        case 2:
            for (const QString& name : allCaptions(ui->lstStamm))
                CopyPlayerToGame(name);
            break;
        case 3:
            for (const QString& name : allCaptions(ui->lstPlayer))
                TGroup::DeletePlayerFile(target + name);
            break;
        case 4:
            for (const QString& name : captions(ui->lstPlayer->selectedItems()))
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
    fillList(ui->lstPlayer, names);
    const int count = static_cast<int>(names.size());
    ui->lblPlayerCount->setText(QString::number(count));
    const bool ok = IsPlayablePlayerCount(count, MaxSpieler);
    ui->btnOk->setEnabled(ok);
    setTextColor(ui->lblPlayerCount, QPalette::WindowText, ok ? Qt::white : QColor(0xFF, 0, 0));
}

void TfrmCreateGame::reject() {
    done(2);
}
