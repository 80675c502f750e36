// The player exchange and its group details (see ufrmExportPlayer.h).
#include "players/ui/ufrmExportPlayer.h"

#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/ui/ufrmFTPPlayer.h"
#include "ui_ufrmExportPlayer.h"
#include "ui_ufrmExportPlayer_Details.h"

#include <QFileDialog>
#include <QMenu>
#include <QShowEvent>
#include <QTreeWidgetItem>

namespace {

const char* const kDescriptionOf = "Die Gruppe von ";
const char* const kPlayerFilter = "Spieler (*.ply)";

enum ImportColumn { colName = 0, colCount = 1, colFile = 2 };

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A memo's lines as the exchange keeps them: separated by CR LF.
QString withCrLf(const QString& plain) {
    return QString(plain).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString withoutCr(const QString& crlf) {
    return QString(crlf).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

// ---------------------------------------------------------------------------------------
// The exchange

TfrmExportPlayer::TfrmExportPlayer(QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmExportPlayer) {
    ui->setupUi(this);

    PopupMenuExport = new QMenu(this);
    PopupMenuExport->setObjectName(QStringLiteral("PopupMenuExport"));
    PopupMenuExport_Delete = PopupMenuExport->addAction(QStringLiteral("L&öschen"));
    PopupMenuExport_Delete->setObjectName(QStringLiteral("PopupMenuExport_Delete"));
    PopupMenuExport_Delete->setEnabled(false);
    PopupMenuExport_DeleteAll = PopupMenuExport->addAction(QStringLiteral("A&lle löschen"));
    PopupMenuExport_DeleteAll->setObjectName(QStringLiteral("PopupMenuExport_DeleteAll"));

    dlgOpen = new QFileDialog(this, QString(), QString(), text(kPlayerFilter));
    dlgOpen->setObjectName(QStringLiteral("dlgOpen"));
    dlgOpen->setFileMode(QFileDialog::ExistingFiles);
    dlgOpen->setOption(QFileDialog::DontUseNativeDialog);

    connect(ui->btnAdd, &QPushButton::clicked, this, &TfrmExportPlayer::btnAddClick);
    connect(PopupMenuExport_Delete, &QAction::triggered, this,
            &TfrmExportPlayer::PopupMenuExport_DeleteClick);
    connect(PopupMenuExport_DeleteAll, &QAction::triggered, this,
            &TfrmExportPlayer::PopupMenuExport_DeleteAllClick);
    connect(ui->lstPlayerExport, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) {
                PopupMenuExport->popup(ui->lstPlayerExport->viewport()->mapToGlobal(at));
            });
    connect(ui->SpeedButtonBack, &QToolButton::clicked, this,
            &TfrmExportPlayer::SpeedButtonBackClick);
    connect(ui->EditGroupName, &QLineEdit::textChanged, this,
            &TfrmExportPlayer::EditGroupNameChange);
    // Every change of the export list updates the export button.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(ui->lstPlayerExport->model(), signal, this,
                &TfrmExportPlayer::lstPlayerExportChange);
    connect(ui->lstPlayerExport->model(), &QAbstractItemModel::modelReset, this,
            &TfrmExportPlayer::lstPlayerExportChange);
    connect(ui->lstPlayerExport, &QTreeWidget::itemSelectionChanged, this,
            &TfrmExportPlayer::lstPlayerExportSelectItem);
    connect(ui->SpeedButtonExport, &QToolButton::clicked, this,
            &TfrmExportPlayer::SpeedButtonExportClick);
    connect(ui->btnRefresh, &QPushButton::clicked, this, &TfrmExportPlayer::btnRefreshClick);
    connect(ui->LstPlayerImport, &QTreeWidget::itemSelectionChanged, this,
            &TfrmExportPlayer::LstPlayerImportSelectItem);
    connect(ui->LstPlayerImport, &QTreeWidget::itemChanged, this,
            &TfrmExportPlayer::LstPlayerImportChange);
    connect(ui->btnDetails, &QPushButton::clicked, this, &TfrmExportPlayer::btnDetailsClick);
    connect(ui->LstPlayerImport, &QTreeWidget::itemDoubleClicked, this,
            &TfrmExportPlayer::LstPlayerImportDblClick);
    connect(ui->btnImport, &QPushButton::clicked, this, &TfrmExportPlayer::btnImportClick);

    FormCreate();
}

TfrmExportPlayer::~TfrmExportPlayer() {
    // The lists empty themselves after this; nothing is left to update then.
    ui->lstPlayerExport->model()->disconnect(this);
    delete ui;
}

void TfrmExportPlayer::FormCreate() {
    const QRect area = CoverScreenInBlack(this);
    CentrePanelInFrame(ui->pnlMain, ui->pnlRahmen, area.size());
    QPalette frame = ui->pnlRahmen->palette();
    frame.setColor(QPalette::Window, GradientWidget::fromBgr(colours::clMaroon));
    ui->pnlRahmen->setPalette(frame);
    ui->imgLogo->move(area.width() - ui->imgLogo->width(), area.height() - ui->imgLogo->height());
    ui->LstPlayerImport->setColumnWidth(colName, 250);
    ui->LstPlayerImport->setColumnHidden(colFile, true);
    ui->LstPlayerImport->sortByColumn(colName, Qt::AscendingOrder);
    ui->lstPlayerExport->sortByColumn(0, Qt::AscendingOrder);

    platform::guarded(this, [this] {
        ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, this, help::Exchange);
        Umgebung = ReadExchangeEnvironment();
    });
    ui->EditGroupName->setText(Umgebung.Username);
    ui->memDescription->setPlainText(text(kDescriptionOf) + Umgebung.Username);
}

void TfrmExportPlayer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmExportPlayer::FormActivate() {
    platform::guarded(this, [] { EmptyExchangeTemp(platform::programFolder()); });
}

void TfrmExportPlayer::AddPlayerItem(const QString& path) {
    auto* item = new QTreeWidgetItem(QStringList(path));
    item->setCheckState(0, Qt::Checked);
    ui->lstPlayerExport->addTopLevelItem(item);
}

void TfrmExportPlayer::btnAddClick() {
    dlgOpen->setDirectory(
        platform::resolvePath(Umgebung.WendrakPath + QStringLiteral("SpielerStamm")));
    for (const QString& file : platform::chooseExistingFiles(dlgOpen))
        AddPlayerItem(file);
}

void TfrmExportPlayer::EditGroupNameChange() {
    ui->SpeedButtonExport->setEnabled(!ui->EditGroupName->text().trimmed().isEmpty() &&
                                      ui->lstPlayerExport->topLevelItemCount() > 0);
}

void TfrmExportPlayer::lstPlayerExportSelectItem() {
    PopupMenuExport_Delete->setEnabled(!ui->lstPlayerExport->selectedItems().isEmpty());
}

// Only the export list carries the menu, so only its own selection is deleted.
void TfrmExportPlayer::PopupMenuExport_DeleteClick() {
    qDeleteAll(ui->lstPlayerExport->selectedItems());
}

void TfrmExportPlayer::PopupMenuExport_DeleteAllClick() {
    ui->lstPlayerExport->clear();
}

void TfrmExportPlayer::SpeedButtonExportClick() {
    TfrmFTPPlayer worker(this);
    worker.Modus = ExchangeWork::Publish;
    worker.Gruppenname = ui->EditGroupName->text();
    for (int i = 0; i < ui->lstPlayerExport->topLevelItemCount(); ++i)
        worker.Dateien << ui->lstPlayerExport->topLevelItem(i)->text(0);
    worker.Beschreibung = withCrLf(ui->memDescription->toPlainText());
    worker.Umgebung = &Umgebung;
    worker.exec();
    platform::showMessage(this,
                          worker.Ergebnistext.isEmpty() ? ExportedText() : worker.Ergebnistext);
}

void TfrmExportPlayer::btnRefreshClick() {
    platform::guarded(this, [] { EmptyExchangeTemp(platform::programFolder()); });
    TfrmFTPPlayer worker(this);
    worker.Modus = ExchangeWork::ListGroups;
    worker.Umgebung = &Umgebung;
    worker.exec();
    if (!worker.Ergebnistext.isEmpty()) {
        platform::showMessage(this, worker.Ergebnistext);
        return;
    }
    FillImportList(worker.Dateien);
    if (!worker.LeftOutText.isEmpty())
        platform::showMessage(this, worker.LeftOutText);
}

void TfrmExportPlayer::FillImportList(const QStringList& files) {
    ui->LstPlayerImport->clear();
    for (const QString& file : files) {
        const GroupDescription read = ReadGroupDescription(file);
        auto* item = new QTreeWidgetItem(QStringList{read.Name, read.Count, file});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(colName, Qt::Unchecked);
        ui->LstPlayerImport->addTopLevelItem(item);
    }
    LstPlayerImportChange();
    LstPlayerImportSelectItem();
}

void TfrmExportPlayer::SpeedButtonBackClick() {
    done(modal::Ok);
}

void TfrmExportPlayer::lstPlayerExportChange() {
    EditGroupNameChange();
}

void TfrmExportPlayer::LstPlayerImportDblClick() {
    if (selectedImportItem() != nullptr)
        btnDetailsClick();
}

QTreeWidgetItem* TfrmExportPlayer::selectedImportItem() const {
    const auto selected = ui->LstPlayerImport->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TfrmExportPlayer::LstPlayerImportSelectItem() {
    ui->btnDetails->setEnabled(selectedImportItem() != nullptr);
}

void TfrmExportPlayer::LstPlayerImportChange() {
    bool ticked = false;
    for (int i = 0; i < ui->LstPlayerImport->topLevelItemCount() && !ticked; ++i)
        ticked = ui->LstPlayerImport->topLevelItem(i)->checkState(colName) == Qt::Checked;
    ui->btnImport->setEnabled(ticked);
}

void TfrmExportPlayer::btnDetailsClick() {
    const QTreeWidgetItem* item = selectedImportItem();
    if (item == nullptr)
        return;
    TfrmExportPlayer_Details details(this);
    details.IniDatei = item->text(colFile);
    details.exec();
}

void TfrmExportPlayer::btnImportClick() {
    TfrmFTPPlayer worker(this);
    worker.Modus = ExchangeWork::Import;
    for (int i = 0; i < ui->LstPlayerImport->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ui->LstPlayerImport->topLevelItem(i);
        if (item->checkState(colName) == Qt::Checked)
            worker.Dateien << item->text(colFile);
    }
    worker.Umgebung = &Umgebung;
    worker.exec();
    if (worker.Ergebnistext.isEmpty()) {
        platform::showMessage(this, ImportedText());
        done(modal::Ok);
    } else {
        platform::showMessage(this, worker.Ergebnistext);
    }
}

// ---------------------------------------------------------------------------------------
// The group details

TfrmExportPlayer_Details::TfrmExportPlayer_Details(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TfrmExportPlayer_Details) {
    ui->setupUi(this);
    setFixedSize(ui->pnlRahmen->size());
    connect(ui->btnBack, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    platform::guarded(this, [this] {
        ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, this, help::Exchange);
    });
}

TfrmExportPlayer_Details::~TfrmExportPlayer_Details() {
    delete ui;
}

void TfrmExportPlayer_Details::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmExportPlayer_Details::FormActivate() {
    QRect area = parentWidget() != nullptr ? parentWidget()->window()->geometry() : QRect();
    if (!area.isEmpty())
        move(area.center() - rect().center());
    const GroupDescription read = ReadGroupDescription(IniDatei);
    ui->txtGroupname->setText(read.Name);
    ui->txtCreateDate->setText(read.Created);
    ui->txtGroupCount->setText(read.Count);
    ui->memDescription->setPlainText(withoutCr(ExpandLineBreaks(read.Description)));
    ui->memGroupPeople->setPlainText(withoutCr(ExpandLineBreaks(read.Player)));
}

// ---------------------------------------------------------------------------------------

void ShowExportPlayerDialog() {
    TfrmExportPlayer dialog(nullptr);
    dialog.exec();
}

bool FileExistsStr(const QString& path) {
    return platform::fileExists(path);
}
