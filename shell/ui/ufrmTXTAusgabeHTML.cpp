// The text window (see ufrmTXTAusgabeHTML.h).
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include "ui_ufrmTXTAusgabeHTML.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "shell/ui/Startup.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBrowser>
#include <QUrl>

namespace {

// The text window of a program part used without start-up (made on first use).
QPointer<TfrmTXTAusgabeHTML> g_ownTextWindow;

constexpr int kDefaultPanelHeight = 550;

// The navigation bar's picture buttons, drawn here so the window needs no picture files.
QIcon arrowIcon(bool forward) {
    QPixmap pix(20, 20);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    // The arrow to the right; the one to the left is its mirror image.
    const QPointF outline[] = {{4, 6}, {11, 6}, {11, 2}, {18, 10}, {11, 18}, {11, 14}, {4, 14}};
    QPolygonF arrow;
    for (const QPointF& point : outline)
        arrow << QPointF(forward ? point.x() : 20 - point.x(), point.y());
    path.addPolygon(arrow);
    path.closeSubpath();
    p.setPen(QPen(GradientWidget::fromBgr(colours::clArrowOutline), 1));
    p.setBrush(GradientWidget::fromBgr(colours::clArrowFill));
    p.drawPath(path);
    return QIcon(pix);
}

QIcon printerIcon() {
    QPixmap pix(20, 20);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(GradientWidget::fromBgr(colours::clIconOutline), 1));
    p.setBrush(GradientWidget::fromBgr(colours::clWhite));
    p.drawRect(QRectF(5.5, 1.5, 9, 7)); // paper in
    p.setBrush(GradientWidget::fromBgr(colours::clPrinterBody));
    p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5); // body
    p.setBrush(GradientWidget::fromBgr(colours::clWhite));
    p.drawRect(QRectF(5.5, 12.5, 9, 6)); // paper out
    p.setPen(QPen(GradientWidget::fromBgr(colours::clPrinterLines), 1));
    p.drawLine(QPointF(7, 15), QPointF(13, 15));
    p.drawLine(QPointF(7, 17), QPointF(12, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(GradientWidget::fromBgr(colours::clPrinterLamp));
    p.drawEllipse(QPointF(16, 10), 1, 1);
    return QIcon(pix);
}

} // namespace

TfrmTXTAusgabeHTML::TfrmTXTAusgabeHTML(QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmTXTAusgabeHTML) {
    ui->setupUi(this);

    CoverScreenInBlack(this);

    ui->btnPrint->setIcon(printerIcon());
    ui->btnPrev->setIcon(arrowIcon(false));
    ui->btnNext->setIcon(arrowIcon(true));
    ui->btnPrev->setVisible(false);
    ui->btnNext->setVisible(false);
    ui->btnJa->setVisible(false);
    ui->btnNein->setVisible(false);
    ui->pnlMain->installEventFilter(this);

    connect(ui->btnClose, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    connect(ui->btnJa, &QPushButton::clicked, this, [this] { done(modal::Yes); });
    connect(ui->btnNein, &QPushButton::clicked, this, [this] { done(modal::No); });
    connect(ui->btnPrint, &QToolButton::clicked, this, &TfrmTXTAusgabeHTML::btnPrintClick);
    connect(ui->btnPrev, &QToolButton::clicked, this, &TfrmTXTAusgabeHTML::btnPrevClick);
    connect(ui->btnNext, &QToolButton::clicked, this, &TfrmTXTAusgabeHTML::btnNextClick);
    connect(ui->brwHTML, &QTextBrowser::forwardAvailable, this,
            [this](bool enable) { brwHTMLCommandStateChange(1, enable); });
    connect(ui->brwHTML, &QTextBrowser::backwardAvailable, this,
            [this](bool enable) { brwHTMLCommandStateChange(2, enable); });
    layoutPanel();
}

TfrmTXTAusgabeHTML::~TfrmTXTAusgabeHTML() {
    delete ui;
}

QFrame* TfrmTXTAusgabeHTML::pnlMain() const {
    return ui->pnlMain;
}
QPushButton* TfrmTXTAusgabeHTML::btnClose() const {
    return ui->btnClose;
}
QFrame* TfrmTXTAusgabeHTML::pnlNavigate() const {
    return ui->pnlNavigate;
}
QToolButton* TfrmTXTAusgabeHTML::btnPrev() const {
    return ui->btnPrev;
}
QToolButton* TfrmTXTAusgabeHTML::btnNext() const {
    return ui->btnNext;
}
QTextBrowser* TfrmTXTAusgabeHTML::brwHTML() const {
    return ui->brwHTML;
}

QString TfrmTXTAusgabeHTML::FindPageCandidate(const QString& FileName) {
    const QString path = platform::toSlashes(FileName);
    const QString name =
        platform::changeFileExt(platform::extractFileName(path), QStringLiteral(".HTML"));
    const QString folder = platform::extractFilePath(path);
    QString candidate = folder + QStringLiteral("DE_") + name;
    if (!platform::fileExists(candidate))
        candidate = folder + name;
    return platform::fileExists(candidate) ? platform::resolvePath(candidate) : QString();
}

int TfrmTXTAusgabeHTML::ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                                     const QString& ButtonCaption, bool CloseMode,
                                     int HelpContext) {
    int result = 2;
    ApplyFormDefaults(ColorA, ColorB, this, HelpContext);
    const QString candidate = FindPageCandidate(FileName);
    if (!candidate.isEmpty()) {
        ui->pnlMain->resize(ui->pnlMain->width(), Height == -1 ? kDefaultPanelHeight : Height);
        // The browser reports its history while it loads; the mode of this page decides.
        MitNavigation = CloseMode;
        if (!MitNavigation) {
            ui->btnPrev->setVisible(false);
            ui->btnNext->setVisible(false);
        }
        ui->brwHTML->setSource(QUrl::fromLocalFile(candidate));
        ui->pnlNavigate->setVisible(true);
        ui->btnClose->setText(ButtonCaption);
        result = exec();
        ForgetHelpContext();
    }
    return result;
}

// The form look keeps a help context once set, and this one window shows every page; so
// after each showing it forgets the context, and the next page gets its own for F1.
void TfrmTXTAusgabeHTML::ForgetHelpContext() {
    setProperty("helpContext", 0);
}

void TfrmTXTAusgabeHTML::brwHTMLCommandStateChange(int Command, bool Enable) {
    if (!MitNavigation) {
        ui->btnPrev->setVisible(false);
        ui->btnNext->setVisible(false);
        return;
    }
    if (Command == 1)
        ui->btnNext->setVisible(Enable);
    else if (Command == 2)
        ui->btnPrev->setVisible(Enable);
}

bool TfrmTXTAusgabeHTML::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->pnlMain && event->type() == QEvent::Resize)
        layoutPanel();
    return QDialog::eventFilter(watched, event);
}

void TfrmTXTAusgabeHTML::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TfrmTXTAusgabeHTML::resizeEvent(QResizeEvent* event) {
    FormActivate();
    QDialog::resizeEvent(event);
}

void TfrmTXTAusgabeHTML::FormActivate() {
    CentrePanelInFrame(ui->pnlMain, ui->pnlRahmen, size());
}

// The page panel's parts keep their distance to its edges, whatever height a page gives it.
void TfrmTXTAusgabeHTML::layoutPanel() {
    const QRect r = ui->pnlMain->rect();
    constexpr int margin = 8;
    const int buttonTop = r.height() - margin - ui->btnClose->height();
    findChild<GradientWidget*>(QStringLiteral("JvGradient1_1"))->setGeometry(r);
    ui->pnlBrowser->setGeometry(margin, margin, r.width() - 2 * margin, buttonTop - 2 * margin + 4);
    ui->btnClose->move(r.width() - margin - ui->btnClose->width(), buttonTop);
    ui->btnJa->move(margin, buttonTop);
    ui->btnNein->move(margin + ui->btnJa->width() + 6, buttonTop);
}

void TfrmTXTAusgabeHTML::btnPrintClick() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        ui->brwHTML->print(&printer);
}

void TfrmTXTAusgabeHTML::btnPrevClick() {
    ui->brwHTML->backward();
}

void TfrmTXTAusgabeHTML::btnNextClick() {
    ui->brwHTML->forward();
}

TfrmTXTAusgabeHTML* textWindow() {
    if (TfrmTXTAusgabeHTML* window = startupForm<TfrmTXTAusgabeHTML>())
        return window;
    if (g_ownTextWindow == nullptr)
        g_ownTextWindow = new TfrmTXTAusgabeHTML;
    return g_ownTextWindow;
}

int ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                 const QString& ButtonCaption, bool CloseMode, int HelpContext) {
    return textWindow()->ShowHtmlPage(FileName, ColorA, ColorB, Height, ButtonCaption, CloseMode,
                                      HelpContext);
}
