// The group chooser (see ufrmChooseGroup.h).
#include "players/ui/ufrmChooseGroup.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "players/uTGroup.h"
#include "ui_ufrmChooseGroup.h"

#include <QShowEvent>
#include <QTreeWidgetItem>

namespace {

const char* const kRoots[] = {"Standardexperimente", "Eigene Gruppen", "ImportierteGruppen"};

void addNodes(const QList<platform::WalkedFolder>& folders, QTreeWidgetItem* parent) {
    for (const platform::WalkedFolder& folder : folders)
        addNodes(folder.children, new QTreeWidgetItem(parent, QStringList(folder.name)));
}

} // namespace

TfrmChooseGroup::TfrmChooseGroup(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmChooseGroup) {
    ui->setupUi(this);
    QFont font = ui->trvMain->font();
    font.setPixelSize(13);
    ui->trvMain->setFont(font);
    QPalette pal = ui->trvMain->palette();
    pal.setColor(QPalette::Base, GradientWidget::fromBgr(colours::clSilver));
    ui->trvMain->setPalette(pal);
    setFixedSize(695, 562);

    connect(ui->trvMain, &QTreeWidget::itemClicked, this, [this] { trvMainClick(); });
    // Moving through the tree with the keys selects a folder just as a click does, so Ok
    // never takes a folder other than the one shown selected.
    connect(ui->trvMain, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) {
        if (now != nullptr && !m_filling)
            trvMainClick();
    });
    connect(ui->btnRefresh, &QPushButton::clicked, this, &TfrmChooseGroup::FillGroupTree);
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmChooseGroup::reject);
}

TfrmChooseGroup::~TfrmChooseGroup() {
    delete ui;
}

void TfrmChooseGroup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmChooseGroup::FormActivate() {
    ui->btnOk->setEnabled(false);
    if (ui->trvMain->topLevelItemCount() == 0)
        FillGroupTree();
    GruppenDatei.clear();
}

void TfrmChooseGroup::FillGroupTree() {
    setCursor(Qt::WaitCursor);
    m_filling = true;
    ui->trvMain->clear();
    for (const char* root : kRoots) {
        auto* node = new QTreeWidgetItem(ui->trvMain, QStringList(QString::fromUtf8(root)));
        AddFolderNodes(platform::programFolder() + QString::fromUtf8(root) + QLatin1Char('/'),
                       node);
    }
    m_filling = false;
    unsetCursor();
}

void TfrmChooseGroup::AddFolderNodes(const QString& folder, QTreeWidgetItem* parent) {
    addNodes(GroupFolderTree(folder), parent);
}

QString TfrmChooseGroup::GetNodePath(const QTreeWidgetItem* node) const {
    QString path;
    for (const QTreeWidgetItem* n = node; n != nullptr; n = n->parent())
        path.prepend(n->text(0) + QLatin1Char('/'));
    return path;
}

void TfrmChooseGroup::trvMainClick() {
    const QTreeWidgetItem* node = ui->trvMain->currentItem();
    if (node == nullptr)
        return;
    const QString file =
        platform::programFolder() + GetNodePath(node) + QStringLiteral("group.sgp");
    if (platform::fileExists(file)) {
        GruppenDatei = platform::resolvePath(file);
        ui->btnOk->setEnabled(true);
    } else {
        GruppenDatei.clear();
        ui->btnOk->setEnabled(false);
    }
}

void TfrmChooseGroup::reject() {
    done(modal::Cancel);
}
