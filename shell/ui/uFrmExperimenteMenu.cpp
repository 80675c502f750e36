// The standard-experiments menu (see uFrmExperimenteMenu.h).
#include "shell/ui/uFrmExperimenteMenu.h"

#include "ui_uFrmExperimenteMenu.h"

#include "engine/uTApplicationEnviroment.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "players/ui/GroupMessages.h"
#include "shell/ui/Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kTopNode = QStringLiteral("Standardexperimente");
const QString kGroupNode = QStringLiteral("Selbst Experimentieren");
const QString kGroupFile = QStringLiteral("group.sgp");

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
    LayOutScreenPanel(this, ui->pnlMain, GradientWidget::fromBgr(0x800000), ui->pnlRahmen, 5,
                      ui->imgLogo, primaryScreenSize());
    Umgebung = std::make_unique<TApplicationEnviroment>(platform::programPath());
}

bool TfrmExperimenteMenu::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
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
    m_walk.clear();
    AddFolder(platform::programFolder() + kTopNode + QLatin1Char('/'), top);
    top->setExpanded(true);
    ui->trvMain->setUpdatesEnabled(true);
}

void TfrmExperimenteMenu::AddFolder(const QString& folder, QTreeWidgetItem* parentNode) {
    const QString path = platform::withTrailingSlash(folder);
    const QString canonical = QFileInfo(platform::resolvePath(path)).canonicalFilePath();
    if (!canonical.isEmpty()) {
        if (m_walk.contains(canonical))
            return;
        m_walk.insert(canonical);
    }
    for (const QString& name : platform::listFolder(path)) {
        const QString ext = platform::extractFileExt(name).toLower();
        if (ext == QLatin1String(".rtf")) {
            const QString stem = platform::changeFileExt(name, QString());
            const int image = platform::fileExists(path + stem + QStringLiteral(".html"))
                                  ? ImgTextWithHtml
                                  : ImgTextOnly;
            addNode(parentNode, stem, image, image);
        } else if (ext == QLatin1String(".sgp")) {
            addNode(parentNode, kGroupNode, ImgGroup, ImgGroup);
        }
    }
    for (const QString& name :
         platform::listFolder(path, QStringLiteral("*"), platform::ListKind::Folders)) {
        QTreeWidgetItem* child = addNode(parentNode, name, ImgFolder, ImgFolderSelected);
        AddFolder(path + name, child);
    }
    if (!canonical.isEmpty())
        m_walk.remove(canonical);
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
    const QString full = platform::programFolder() + GetNodePath(node);
    if (full.contains(kGroupNode)) {
        AuswahlDatei = QString(full).replace(kGroupNode, kGroupFile);
        ui->btnOk->setEnabled(true);
        return;
    }
    // A text node is named after its file without the extension; the extension is added,
    // not swapped, so a name with a dot of its own still finds its file.
    for (const QString& ext : {QStringLiteral(".html"), QStringLiteral(".rtf")}) {
        if (platform::fileExists(full + ext)) {
            AuswahlDatei = platform::resolvePath(full + ext);
            ui->btnOk->setEnabled(true);
            return;
        }
    }
    AuswahlDatei.clear();
    ui->btnOk->setEnabled(false);
}

void TfrmExperimenteMenu::btnOkClick() {
    if (AuswahlDatei.isEmpty())
        return;
    if (AuswahlDatei.contains(kGroupFile)) {
        bool loaded = false;
        platform::guarded(this, [this, &loaded] {
            ui->lblCurrentPath->setText(platform::extractFilePath(AuswahlDatei));
            const QString data = platform::withTrailingSlash(Umgebung->WendrakPath());
            const QStringList missing =
                Gruppe.LoadGroupPlayers(data + QStringLiteral("SpielerStamm/"), AuswahlDatei,
                                        data + QStringLiteral("Aktuelles Spiel/"));
            ShowPlayersNotFound(this, missing);
            loaded = true;
        });
        if (loaded)
            done(ResultGroup);
        return;
    }
    // The shell's "open": the ".rtf" while it exists, else the ".html" version.
    const QString rtf = platform::changeFileExt(AuswahlDatei, QStringLiteral(".rtf"));
    const QString document = platform::fileExists(rtf)
                                 ? rtf
                                 : platform::changeFileExt(AuswahlDatei, QStringLiteral(".html"));
    platform::Desktop::instance().openDocument(platform::resolvePath(document));
}

void TfrmExperimenteMenu::mbtnBackClick() {
    done(ResultBack);
}

void TfrmExperimenteMenu::reject() {
    done(ResultBack);
}
