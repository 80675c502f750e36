// The result window (see ufrmDravolenzMain_New.h). The ranking and favour rows are built in
// code, row by row, as the run hands them over; their bars are laid out whenever a row
// changes its width, so the proportions hold on any screen.
#include "engine/ui/ufrmDravolenzMain_New.h"

#include "platform/Colours.h"

#include "ui_ufrmDravolenzMain_New.h"

#include "engine/StyledLine.h"
#include "platform/HelpContexts.h"
#include "platform/NumberFormat.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QScopeGuard>
#include <QTabBar>
#include <QTableWidgetItem>
#include <QVBoxLayout>
#include <array>

namespace {

using namespace colours;

const int rankingRowHeight = 16;
const int servicesRowHeight = 41;
const int servicesNameWidth = 300;

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A filled rectangle with a one-pixel outline.
class BarShape : public QWidget {
public:
    BarShape(QWidget* parent, const QColor& fill, const QColor& outline, const QString& hint)
        : QWidget(parent), m_fill(fill), m_outline(outline) {
        setToolTip(hint);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_fill);
        painter.setPen(m_outline);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor m_fill;
    QColor m_outline;
};

// The bar cell of a ranking row: the maximum in silver, the points in green from the left,
// and a maroon marker at the reference threshold.
class RankingBarCell : public QLabel {
public:
    RankingBarCell(QWidget* parent, std::int32_t points, std::int32_t maximum,
                   std::int32_t reference, const QColor& outline)
        : QLabel(parent), m_points(points), m_maximum(maximum), m_reference(reference) {
        const QString maxHint = QStringLiteral("Maximale Punktanzahl: %1 Punkte").arg(maximum);
        setToolTip(maxHint);
        m_max = new BarShape(this, GradientWidget::fromBgr(clSilver), outline, maxHint);
        m_max->setObjectName(QStringLiteral("shpMaximum"));
        m_achieved = new BarShape(this, GradientWidget::fromBgr(clGreen), outline,
                                  QStringLiteral("%1 Punkte").arg(points));
        m_achieved->setObjectName(QStringLiteral("shpPunkte"));
        m_marker = new BarShape(this, GradientWidget::fromBgr(clMaroon), outline,
                                QStringLiteral("Referenzschwelle: %1 Punkte").arg(reference));
        m_marker->setObjectName(QStringLiteral("shpReferenz"));
        layOut();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        layOut();
    }

private:
    void layOut() {
        const int w = width();
        const int h = height();
        m_max->setGeometry(0, 0, w, h);
        m_achieved->setGeometry(0, 0, scaled(m_points, w), h);
        m_marker->setGeometry(scaled(m_reference, w), 0, 10, h);
    }

    // value * width / maximum in whole pixels; no bar without a maximum.
    std::int32_t scaled(std::int64_t value, int w) const {
        if (m_maximum <= 0 || value <= 0)
            return 0;
        return static_cast<std::int32_t>(value * w / m_maximum);
    }

    std::int32_t m_points;
    std::int32_t m_maximum;
    std::int32_t m_reference;
    BarShape* m_max;
    BarShape* m_achieved;
    BarShape* m_marker;
};

// The bar area of a favour row: favours received above, granted below, scaled to the
// maximum.
class ServicesBarArea : public QWidget {
public:
    ServicesBarArea(QWidget* parent, std::int32_t received, std::int32_t granted,
                    std::int32_t maximum)
        : QWidget(parent), m_received(received), m_granted(granted), m_maximum(maximum) {
        setBackground(this, GradientWidget::fromBgr(clGray));
        m_receivedBar = new QWidget(this);
        m_receivedBar->setObjectName(QStringLiteral("pnlErhalten"));
        setBackground(m_receivedBar, GradientWidget::fromBgr(clOlive));
        m_grantedBar = new QWidget(this);
        m_grantedBar->setObjectName(QStringLiteral("pnlErwiesen"));
        setBackground(m_grantedBar, GradientWidget::fromBgr(clGreen));
        layOut();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        layOut();
    }

private:
    void layOut() {
        const int half = height() / 2;
        // A group of one has no maximum; its bars stay empty rather than infinite.
        const double scale = m_maximum > 0 ? double(width()) / m_maximum : 0.0;
        m_receivedBar->setGeometry(0, 1, static_cast<int>(m_received * scale), half);
        m_grantedBar->setGeometry(0, 1 + half, static_cast<int>(m_granted * scale), half);
    }

    std::int32_t m_received;
    std::int32_t m_granted;
    std::int32_t m_maximum;
    QWidget* m_receivedBar;
    QWidget* m_grantedBar;
};

QLabel* makeCell(QWidget* row, const QString& text, int width, Qt::Alignment alignment,
                 bool header) {
    auto* cell = new QLabel(row);
    cell->setTextFormat(Qt::PlainText);
    cell->setText(text);
    cell->setAlignment(alignment | Qt::AlignVCenter);
    if (width > 0)
        cell->setFixedWidth(width);
    if (header) {
        cell->setFrameShape(QFrame::Panel);
        cell->setFrameShadow(QFrame::Raised);
    }
    return cell;
}

QVBoxLayout* rowsLayout(QWidget* content) {
    if (auto* layout = qobject_cast<QVBoxLayout*>(content->layout()))
        return layout;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    return layout;
}

// Rows go below those already there, above the closing stretch.
void appendRow(QWidget* content, QWidget* row) {
    QVBoxLayout* layout = rowsLayout(content);
    layout->insertWidget(layout->count() - 1, row);
}

// Help contexts of the pages, in page order.
const std::array<int, 5> pageHelpContexts = {help::ResultGames, help::ResultRanking,
                                             help::ResultComposition, help::ResultFigures,
                                             help::ResultFavours};

} // namespace

TfrmDravolenzMain_New::TfrmDravolenzMain_New(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmDravolenzMain_New>()) {
    ui->setupUi(this);
    FormCreate();
}

TfrmDravolenzMain_New::~TfrmDravolenzMain_New() = default;

void TfrmDravolenzMain_New::FormCreate() {
    setBackground(ui->pnlRahmen, GradientWidget::fromBgr(clPanelFrame));
    LayOutCentredPanel(this, ui->pnlMain, ui->pnlRahmen);

    QPalette head = ui->lblHead->palette();
    head.setColor(QPalette::WindowText, GradientWidget::fromBgr(clWhite));
    ui->lblHead->setPalette(head);

    for (QFrame* panel : {ui->pnlPartien, ui->pnlEndplatzierung, ui->pnlZusammensetzung,
                          ui->pnlGruppenergebnisse, ui->pnlDienste})
        setBackground(panel, GradientWidget::fromBgr(clGray));
    rowsLayout(ui->ScrollBoxEndplatzierungInhalt);
    rowsLayout(ui->ScrollBoxDiensteInhalt);

    QTableWidget* list = ui->ListViewErgebnisse;
    list->horizontalHeader()->setSectionsClickable(false);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list->verticalHeader()->setDefaultSectionSize(QFontMetrics(list->font()).height() + 4);
    for (int column : {0, 1})
        list->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column : {2, 3})
        list->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignCenter);

    connect(ui->ComboBoxSpielerliste, &QComboBox::currentTextChanged, this,
            [this] { platform::guarded(this, [this] { ComboBoxSpielerlisteChange(); }); });
    // The five captions fit the page row side by side; they are never cut short.
    ui->PageControlMain->setElideMode(Qt::ElideNone);
    ui->PageControlMain->tabBar()->setExpanding(false);
    connect(ui->PageControlMain, &QTabWidget::currentChanged, this,
            &TfrmDravolenzMain_New::PageControlMainChange);
    connect(ui->btnRetry, &QPushButton::clicked, this, [this] { done(ResultRetry); });
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { done(ResultBack); });
    connect(ui->btnHintergrundmaterial, &QPushButton::clicked, this,
            [this] { platform::guarded(this, [this] { btnHintergrundmaterialClick(); }); });
}

void TfrmDravolenzMain_New::reject() {}

void TfrmDravolenzMain_New::PageControlMainChange(int index) {
    if (index >= 0 && index < int(pageHelpContexts.size()))
        setProperty("helpContext", pageHelpContexts[std::size_t(index)]);
}

bool TfrmDravolenzMain_New::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        platform::guarded(this, [this] { FormActivate(); });
    return handled;
}

void TfrmDravolenzMain_New::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Platforms without a window manager may never activate the window; its pages must
    // be complete all the same.
    platform::guarded(this, [this] { FormActivate(); });
}

void TfrmDravolenzMain_New::FormActivate() {
    ComboBoxSpielerlisteChange();
    BuildServicesPage();
}

// ---- styled lines ------------------------------------------------------------------------

void TfrmDravolenzMain_New::ShowStyledLine(QLabel* placeholder, const QString& lineText) {
    placeholder->hide();
    QWidget* parent = placeholder->parentWidget();
    int x = placeholder->x();
    for (const QString& item : SplitCommaText(lineText)) {
        const StyledPiece piece = PieceFromItem(item);
        const StyleLook look = LookOfStyle(piece.Style);
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        if (look.ownColor) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, GradientWidget::fromBgr(look.color));
            label->setPalette(palette);
        }
        label->setText(piece.Text);
        const QFontMetrics metrics(label->font());
        if (look.centred) {
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setGeometry(x, placeholder->y(), placeholder->width(), metrics.height());
        } else {
            // Measured by advance, so a trailing blank keeps its room before the next piece.
            label->setGeometry(x, placeholder->y(), metrics.horizontalAdvance(piece.Text),
                               metrics.height());
        }
        label->show();
        x = label->x() + label->width();
    }
}

void TfrmDravolenzMain_New::ShowStyledLine(const QString& placeholder, const QString& lineText) {
    QLabel* label = findChild<QLabel*>(placeholder);
    if (label == nullptr) {
        qWarning("Result window has no label %s", qPrintable(placeholder));
        return;
    }
    ShowStyledLine(label, lineText);
}

// ---- ranking ----------------------------------------------------------------------------

void TfrmDravolenzMain_New::AddRankingRow(const QString& platz, const QString& name,
                                          const QString& punkte, const QString& spielertyp,
                                          int showBar, int opponents) {
    const bool header = showBar < 0;
    // Read before anything is built, so a bad figure leaves no half row behind.
    const std::int32_t points = header ? 0 : platform::strToInt(punkte);

    QWidget* content = ui->ScrollBoxEndplatzierungInhalt;
    auto* row = new QFrame(content);
    row->setObjectName(QStringLiteral("pnlPlatz%1").arg(rowsLayout(content)->count() - 1));
    row->setFixedHeight(rankingRowHeight);
    auto* cells = new QHBoxLayout(row);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setSpacing(0);

    cells->addWidget(makeCell(row, platz, 50, Qt::AlignHCenter, header));
    cells->addWidget(makeCell(row, QLatin1Char(' ') + name, 150, Qt::AlignLeft, header));
    cells->addWidget(makeCell(row, punkte, 80, Qt::AlignHCenter, header));
    QLabel* type = makeCell(row, QLatin1Char(' ') + spielertyp, 70, Qt::AlignLeft, header);
    type->setFixedHeight(rankingRowHeight - 1);
    cells->addWidget(type, 0, Qt::AlignTop);

    QLabel* bar;
    if (header) {
        bar = makeCell(row, QStringLiteral("Grafische Darstellung"), 0, Qt::AlignHCenter, true);
    } else {
        const std::int32_t maximum = opponents * 2500;
        const std::int32_t reference = opponents * 1500;
        const QColor outline = content->palette().color(QPalette::Window);
        bar = new RankingBarCell(row, points, maximum, reference, outline);
    }
    bar->setObjectName(QStringLiteral("pnlBalken"));
    cells->addWidget(bar, 1);
    appendRow(content, row);
}

// ---- games list -------------------------------------------------------------------------

void TfrmDravolenzMain_New::ComboBoxSpielerlisteChange() {
    QTableWidget* list = ui->ListViewErgebnisse;
    list->setRowCount(0);
    const QList<ResultGameRow> rows =
        GamesOfPlayer(m_pairings, ui->ComboBoxSpielerliste->currentText());
    list->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const ResultGameRow& game = rows[r];
        const QString texts[4] = {game.Spieler1, game.Spieler2, QString::number(game.Punkte1),
                                  QString::number(game.Punkte2)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignCenter);
            list->setItem(r, c, item);
        }
    }
}

// ---- favours ----------------------------------------------------------------------------

void TfrmDravolenzMain_New::BuildServicesPage() {
    ui->AnimateWait->setVisible(true);
    ui->ScrollBoxDienste->setVisible(false);
    const auto restore = qScopeGuard([this] {
        ui->AnimateWait->setVisible(false);
        ui->ScrollBoxDienste->setVisible(true);
    });

    BalkenNr = 0;
    const QList<ResultServicesRow> rows =
        ServicesRows(m_participants, m_pairings, AnzDurchlaeufe, AnzTeilnehmerHigh);
    for (const ResultServicesRow& row : rows)
        AddServicesBar(row.Name, row.Received, row.Granted, row.Maximum);
}

void TfrmDravolenzMain_New::AddServicesBar(const QString& name, std::int32_t received,
                                           std::int32_t granted, std::int32_t maximum) {
    const QString rowName = QStringLiteral("FPnlSurface") + QString::number(BalkenNr);
    delete findChild<QWidget*>(rowName);

    QWidget* content = ui->ScrollBoxDiensteInhalt;
    auto* row = new QFrame(content);
    row->setObjectName(rowName);
    row->setFixedHeight(servicesRowHeight);
    ++BalkenNr;
    auto* parts = new QHBoxLayout(row);
    parts->setContentsMargins(0, 0, 0, 0);
    parts->setSpacing(0);

    const QColor grey = GradientWidget::fromBgr(clGray);
    QLabel* nameCell =
        makeCell(row, QLatin1Char(' ') + name, servicesNameWidth, Qt::AlignLeft, false);
    nameCell->setObjectName(QStringLiteral("pnlName"));
    setBackground(nameCell, grey);
    parts->addWidget(nameCell);
    parts->addWidget(new ServicesBarArea(row, received, granted, maximum), 1);

    const int half = servicesRowHeight / 2;
    const int textWidth = servicesNameWidth / 2;
    QLabel* receivedText = makeCell(nameCell, QStringLiteral("Erh. Dienste: %1").arg(received), 0,
                                    Qt::AlignLeft, false);
    receivedText->setObjectName(QStringLiteral("lblErhalten"));
    receivedText->setGeometry(textWidth, 1, textWidth, half);
    QLabel* grantedText = makeCell(nameCell, QStringLiteral("Erw. Dienste: %1").arg(granted), 0,
                                   Qt::AlignLeft, false);
    grantedText->setObjectName(QStringLiteral("lblErwiesen"));
    grantedText->setGeometry(textWidth, 1 + half, textWidth, half);
    for (QLabel* text : {receivedText, grantedText})
        setBackground(text, grey);

    appendRow(content, row);
}

// ---- what the run hands over ------------------------------------------------------------

void TfrmDravolenzMain_New::SetCounts(int anzDurchlaeufe, int anzTeilnehmerHigh) {
    AnzDurchlaeufe = anzDurchlaeufe;
    AnzTeilnehmerHigh = anzTeilnehmerHigh;
}

void TfrmDravolenzMain_New::SetPlayerList(const QStringList& names) {
    ui->ComboBoxSpielerliste->addItems(names);
    ui->ComboBoxSpielerliste->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void TfrmDravolenzMain_New::SetRunTables(const QStringList& participants,
                                         const QList<ResultPairing>& pairings) {
    m_participants = participants;
    m_pairings = pairings;
}

void TfrmDravolenzMain_New::btnHintergrundmaterialClick() {
    emit backgroundMaterialRequested();
}
