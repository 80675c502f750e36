// The standard-experiments menu (see uFrmExperimenteMenu.h).
#include "shell/ui/uFrmExperimenteMenu.h"

#include "ui_uFrmExperimenteMenu.h"

#include "engine/uTApplicationEnviroment.h"
#include "platform/Colours.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/OwnActivation.h"
#include "platform/ui/uTFormDefault.h"
#include "players/ui/GroupMessages.h"
#include "shell/StandardExperiments.h"
#include "shell/ui/Startup.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kTopNode = QStringLiteral("Standardexperimente");

} // namespace

TfrmExperimenteMenu::TfrmExperimenteMenu(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExperimenteMenu>()) {
    InitWendrakResources();
    ui->setupUi(this);
    for (int i = 0; i <= ImgTextOnly; ++i)
        imgMain << QIcon(QStringLiteral(":/images/node%1.png").arg(i));

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TfrmExperimenteMenu::TimerDummyTimer);

    connect(ui->trvMain, &QTreeWidget::itemClicked, this, [this] { trvMainClick(); });
    connect(ui->trvMain, &QTreeWidget::itemDoubleClicked, this, [this] { btnOkClick(); });
    // Moving the selection with the keys must not leave "&Öffnen" on an older choice.
    connect(ui->trvMain, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current != nullptr && !ui->trvMain->signalsBlocked())
            trvMainClick();
    });
    connect(ui->btnOk, &QToolButton::clicked, this, &TfrmExperimenteMenu::btnOkClick);
    connect(ui->mbtnBack, &QToolButton::clicked, this, &TfrmExperimenteMenu::mbtnBackClick);
    new platform::OwnActivation(this, [this] { FormActivate(); });

    FormCreate();
}

TfrmExperimenteMenu::~TfrmExperimenteMenu() = default;

QFrame* TfrmExperimenteMenu::pnlMain() const {
    return ui->pnlMain;
}
GradientWidget* TfrmExperimenteMenu::pnlRahmen() const {
    return ui->pnlRahmen;
}
QLabel* TfrmExperimenteMenu::lblHead() const {
    return ui->lblHead;
}
QTreeWidget* TfrmExperimenteMenu::trvMain() const {
    return ui->trvMain;
}
QToolButton* TfrmExperimenteMenu::btnOk() const {
    return ui->btnOk;
}
QToolButton* TfrmExperimenteMenu::mbtnBack() const {
    return ui->mbtnBack;
}
QLabel* TfrmExperimenteMenu::lblCurrentPath() const {
    return ui->lblCurrentPath;
}
QLabel* TfrmExperimenteMenu::imgLogo() const {
    return ui->imgLogo;
}

void TfrmExperimenteMenu::FormCreate() {
    LayOutScreenPanel(this, ui->pnlMain, GradientWidget::fromBgr(colours::clNavy), ui->pnlRahmen, 5,
                      ui->imgLogo, primaryScreenSize());
    Umgebung = std::make_unique<TApplicationEnviroment>(platform::programPath());
}

void TfrmExperimenteMenu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TfrmExperimenteMenu::FormActivate() {
    m_timer->start();
}

void TfrmExperimenteMenu::TimerDummyTimer() {
    m_timer->stop();
    FillTree();
}

QTreeWidgetItem* TfrmExperimenteMenu::addNode(QTreeWidgetItem* parentNode, const QString& text,
                                              int image, int selectedImage) {
    auto* node =
        parentNode != nullptr ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem(ui->trvMain);
    node->setText(0, text);
    node->setData(0, ImageIndexRole, image);
    node->setData(0, SelectedIndexRole, selectedImage);
    QIcon icon;
    icon.addPixmap(imgMain.value(image).pixmap(16, 16), QIcon::Normal);
    icon.addPixmap(imgMain.value(selectedImage).pixmap(16, 16), QIcon::Selected);
    node->setIcon(0, icon);
    return node;
}

void TfrmExperimenteMenu::FillTree() {
    const QSignalBlocker block(ui->trvMain);
    ui->trvMain->clear();
    QTreeWidgetItem* top = addNode(nullptr, kTopNode, ImgFolder, ImgFolder);
    ui->trvMain->setUpdatesEnabled(false);
    AddFolder(platform::programFolder() + kTopNode + QLatin1Char('/'), top);
    top->setExpanded(true);
    ui->trvMain->setUpdatesEnabled(true);
}

void TfrmExperimenteMenu::AddFolder(const QString& folder, QTreeWidgetItem* parentNode) {
    addEntries(ReadExperimentFolder(folder), parentNode);
}

void TfrmExperimenteMenu::addEntries(const QList<ExperimentEntry>& entries,
                                     QTreeWidgetItem* parentNode) {
    for (const ExperimentEntry& entry : entries) {
        switch (entry.kind) {
        case ExperimentEntry::Text:
            addNode(parentNode, entry.name, ImgTextOnly, ImgTextOnly);
            break;
        case ExperimentEntry::TextWithHtml:
            addNode(parentNode, entry.name, ImgTextWithHtml, ImgTextWithHtml);
            break;
        case ExperimentEntry::Group:
            addNode(parentNode, entry.name, ImgGroup, ImgGroup);
            break;
        case ExperimentEntry::Folder:
            addEntries(entry.children,
                       addNode(parentNode, entry.name, ImgFolder, ImgFolderSelected));
            break;
        }
    }
}

QString TfrmExperimenteMenu::GetNodePath(const QTreeWidgetItem* node) {
    QStringList parts;
    for (const QTreeWidgetItem* n = node; n != nullptr; n = n->parent())
        parts.prepend(n->text(0));
    return parts.join(QLatin1Char('/'));
}

void TfrmExperimenteMenu::trvMainClick() {
    QTreeWidgetItem* node = ui->trvMain->currentItem();
    if (node == nullptr) {
        AuswahlDatei.clear();
        ui->btnOk->setEnabled(false);
        return;
    }
    AuswahlDatei = ExperimentSelection(platform::programFolder() + GetNodePath(node));
    ui->btnOk->setEnabled(!AuswahlDatei.isEmpty());
}

void TfrmExperimenteMenu::btnOkClick() {
    if (AuswahlDatei.isEmpty())
        return;
    if (IsExperimentGroup(AuswahlDatei)) {
        bool loaded = false;
        platform::guarded(this, [this, &loaded] {
            ui->lblCurrentPath->setText(platform::extractFilePath(AuswahlDatei));
            const QString data = platform::withTrailingSlash(Umgebung->WendrakPath());
            const auto missing =
                Gruppe.LoadGroupPlayers(data + QStringLiteral("SpielerStamm/"), AuswahlDatei,
                                        data + QStringLiteral("Aktuelles Spiel/"));
            ShowPlayersNotFound(this, missing);
            loaded = true;
        });
        if (loaded)
            done(ResultGroup);
        return;
    }
    OpenText();
}

void TfrmExperimenteMenu::OpenText() {
    platform::Desktop& desktop = platform::Desktop::instance();
    const bool rtfProgram =
        !desktop.defaultApplication(QStringLiteral("application/rtf")).isEmpty();
    ExperimentOpening opening = ExperimentOpeningFor(AuswahlDatei, rtfProgram);
    if (opening.how == ExperimentOpening::WithDesktop) {
        if (desktop.openDocument(opening.file))
            return;
        opening = ExperimentOpeningFor(AuswahlDatei, false);
    }
    if (opening.how == ExperimentOpening::InTextWindow) {
        platform::guarded(this, [&] {
            ShowHtmlPage(opening.file, colours::clPageRed, colours::clMaroon, -1,
                         QStringLiteral("&Ok"), false, 40200);
        });
        return;
    }
    platform::showMessage(this, ExperimentCannotOpenText(AuswahlDatei));
}

void TfrmExperimenteMenu::mbtnBackClick() {
    done(ResultBack);
}

void TfrmExperimenteMenu::reject() {
    done(ResultBack);
}
