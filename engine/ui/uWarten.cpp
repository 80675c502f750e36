// The progress window (see uWarten.h).
#include "engine/ui/uWarten.h"

#include "platform/Colours.h"

#include "ui_uWarten.h"

#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPushButton>

TForm10::TForm10(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm10>()) {
    ui->setupUi(this);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TForm10::btnCancelClick);
    // The gauge is a navy bar with the percentage in white over the bar and in navy over
    // the rest.
    ui->Gauge1->installEventFilter(this);
    FormCreate();
}

TForm10::~TForm10() = default;

void TForm10::FormCreate() {
    QPalette palette = ui->pnlRahmen->palette();
    palette.setColor(QPalette::Window, GradientWidget::fromBgr(colours::clPanelFrame));
    ui->pnlRahmen->setPalette(palette);
    ui->pnlRahmen->setAutoFillBackground(true);
    LayOutCentredPanel(this, ui->pnlWarten, ui->pnlRahmen);
}

void TForm10::btnCancelClick() {
    Abbruch = true;
}

void TForm10::reset() {
    Abbruch = false;
}

void TForm10::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reset();
}

void TForm10::setGaugeValue(int percent) {
    if (percent == ui->Gauge1->value())
        return;
    ui->Gauge1->setValue(percent);
    if (isVisible())
        repaint();
}

int TForm10::gaugeValue() const {
    return ui->Gauge1->value();
}

bool TForm10::processEventsAndCheckAbbruch() {
    QCoreApplication::processEvents();
    return Abbruch;
}

bool TForm10::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Gauge1 && event->type() == QEvent::Paint) {
        paintGauge();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm10::paintGauge() {
    QProgressBar* gauge = ui->Gauge1;
    QPainter painter(gauge);
    const QRect all = gauge->rect();
    const int span = gauge->maximum() - gauge->minimum();
    const int filled = span > 0 ? all.width() * (gauge->value() - gauge->minimum()) / span : 0;
    const QRect bar(all.left(), all.top(), filled, all.height());
    const QRect rest(all.left() + filled, all.top(), all.width() - filled, all.height());
    const QColor navy = GradientWidget::fromBgr(colours::clNavy);
    const QColor white = GradientWidget::fromBgr(colours::clWhite);
    const QString text = QString::number(gauge->value()) + QLatin1Char('%');

    painter.fillRect(rest, white);
    painter.fillRect(bar, navy);
    painter.setFont(gauge->font());
    painter.setClipRect(bar);
    painter.setPen(white);
    painter.drawText(all, Qt::AlignCenter, text);
    painter.setClipRect(rest);
    painter.setPen(navy);
    painter.drawText(all, Qt::AlignCenter, text);
    painter.setClipping(false);
    painter.setPen(GradientWidget::fromBgr(colours::clGaugeFrame));
    painter.drawRect(all.adjusted(0, 0, -1, -1));
}

QFrame* TForm10::pnlRahmen() const {
    return ui->pnlRahmen;
}
QProgressBar* TForm10::Gauge1() const {
    return ui->Gauge1;
}
QPushButton* TForm10::btnCancel() const {
    return ui->btnCancel;
}
