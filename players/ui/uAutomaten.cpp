// The automaton editor (see uAutomaten.h).
#include "players/ui/uAutomaten.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/AutomatonPlayer.h"
#include "ui_uAutomaten.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QShowEvent>

namespace {

QTableWidgetItem* cell(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        grid->setItem(row, column, item);
    }
    return item;
}

} // namespace

TfrmAutomaten::TfrmAutomaten(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmAutomaten) {
    ui->setupUi(this);
    FormCreate();
}

TfrmAutomaten::~TfrmAutomaten() {
    delete ui;
}

void TfrmAutomaten::FormCreate() {
    CentrePanelInFrame(ui->pnlMain, ui->pnlRahmen, CoverScreenInBlack(this).size());
    ui->JvGradient2->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());
    ApplyFormDefaults(colours::clNavy, colours::clBlack, this, 0);

    QTableWidget* grid = ui->strAutomaten;
    grid->setRowCount(SituationCount);
    grid->setColumnCount(4);
    QStringList rows;
    for (int i = 0; i < SituationCount; ++i)
        rows << QString::fromLatin1(situationCode(i));
    grid->setVerticalHeaderLabels(rows);
    grid->setHorizontalHeaderLabels({QStringLiteral("Array[0]"), QStringLiteral("Array[1]"),
                                     QStringLiteral("Array[2]"), QStringLiteral("Array[3]")});
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->txtTyp->setText(QStringLiteral("0"));

    OpenDialog1 =
        new QFileDialog(this, QString(), QString(), QStringLiteral("Spieler (*.PLY *.ply)"));
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setDefaultSuffix(QStringLiteral("BMP"));
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

    // A click on the selected cell selects it again, as does moving there by keys.
    const auto select = [this](int row, int column) {
        strAutomatenSelectCell(column + 1, row + 1);
    };
    connect(grid, &QTableWidget::cellClicked, this, select);
    connect(grid, &QTableWidget::currentCellChanged, this, [select](int row, int column) {
        if (row >= 0 && column >= 0)
            select(row, column);
    });
    connect(ui->btnK, &QPushButton::clicked, this, &TfrmAutomaten::btnKClick);
    connect(ui->btnD, &QPushButton::clicked, this, &TfrmAutomaten::btnDClick);
    connect(ui->btnZ, &QPushButton::clicked, this, &TfrmAutomaten::btnZClick);
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TfrmAutomaten::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmAutomaten::FormActivate() {
    // A selection left from the last showing is gone with the reset grid.
    for (QPushButton* b : {ui->btnK, ui->btnD, ui->btnZ})
        b->hide();
    for (int row = 0; row < SituationCount; ++row) {
        cell(ui->strAutomaten, row, 0)->setText(QStringLiteral("0"));
        for (int column = 1; column < 4; ++column)
            cell(ui->strAutomaten, row, column)->setText(QStringLiteral("-1"));
    }
}

void TfrmAutomaten::strAutomatenSelectCell(int col, int row) {
    SelectedCol = col;
    SelectedRow = row;
    for (QPushButton* b : {ui->btnK, ui->btnD, ui->btnZ})
        b->show();
}

void TfrmAutomaten::btnKClick() {
    SetSelectedCell(QStringLiteral("0"));
}

void TfrmAutomaten::btnDClick() {
    SetSelectedCell(QStringLiteral("1"));
}

void TfrmAutomaten::btnZClick() {
    SetSelectedCell(QStringLiteral("2"));
}

void TfrmAutomaten::SetSelectedCell(const QString& move) {
    if (SelectedCol >= 1 && SelectedRow >= 1)
        cell(ui->strAutomaten, SelectedRow - 1, SelectedCol - 1)->setText(move);
    for (QPushButton* b : {ui->btnK, ui->btnD, ui->btnZ})
        b->hide();
}

AutomatonInput TfrmAutomaten::input() const {
    AutomatonInput in;
    in.Name = ui->Edit1->text();
    in.Alter = ui->Edit2->text();
    in.Geschlecht = ui->Edit3->text();
    in.Nationalitaet = ui->Edit4->text();
    in.Motto = ui->Edit5->text();
    in.IstKonsensorientiert = ui->txtFreundlich->text();
    in.IstFriedlich = ui->txtBewahrt->text();
    in.VerteidigtSicher = ui->txtSichVer->text();
    in.GeschaeftsmaessigAusbeutbar = ui->txtGeschAusbeutbar->text();
    in.NeigtZumAngreifen = ui->txtGreiftAn->text();
    in.NeigtZumAusbeuten = ui->txtAusbeut->text();
    in.NeigtZuUeberreaktionen = ui->txtNeigUeber->text();
    in.Spielertyp = ui->txtTyp->text();
    for (int row = 0; row < SituationCount; ++row)
        for (int m = 0; m < 3; ++m)
            in.Zuege[static_cast<size_t>(row)][static_cast<size_t>(m)] =
                ui->strAutomaten->item(row, m + 1)->text().toInt();
    return in;
}

void TfrmAutomaten::fill(const AutomatonInput& in) {
    ui->Edit1->setText(in.Name);
    ui->Edit2->setText(in.Alter);
    ui->Edit3->setText(in.Geschlecht);
    ui->Edit4->setText(in.Nationalitaet);
    ui->Edit5->setText(in.Motto);
    ui->txtFreundlich->setText(in.IstKonsensorientiert);
    ui->txtBewahrt->setText(in.IstFriedlich);
    ui->txtSichVer->setText(in.VerteidigtSicher);
    ui->txtGeschAusbeutbar->setText(in.GeschaeftsmaessigAusbeutbar);
    ui->txtGreiftAn->setText(in.NeigtZumAngreifen);
    ui->txtAusbeut->setText(in.NeigtZumAusbeuten);
    ui->txtNeigUeber->setText(in.NeigtZuUeberreaktionen);
    ui->txtTyp->setText(in.Spielertyp);
    for (int row = 0; row < SituationCount; ++row) {
        const auto r = static_cast<size_t>(row);
        cell(ui->strAutomaten, row, 0)->setText(QString::number(in.Position[r]));
        for (int m = 0; m < 3; ++m)
            cell(ui->strAutomaten, row, m + 1)
                ->setText(QString::number(in.Zuege[r][static_cast<size_t>(m)]));
    }
}

void TfrmAutomaten::btnOkClick() {
    platform::guarded(this, [this] {
        const SpielerTyp player = SaveAutomatonPlayer(ZielOrdner, input());
        QString table = AutomatonTableText(player);
        table.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        platform::showMessage(this, table);
    });
    // Also after a failure, the editor closes.
    done(modal::Ok);
}

void TfrmAutomaten::Button2Click() {
    const QString path = platform::chooseExistingFile(OpenDialog1);
    if (path.isEmpty())
        return;
    platform::guarded(this, [&] { fill(AutomatonInputOf(readPlayerFile(path))); });
}
