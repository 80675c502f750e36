// The intro and farewell window (see uIntroMain.h).
#include "shell/ui/uIntroMain.h"

#include "ui_uIntroMain.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/uTFormDefault.h"

#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>

namespace {

QFont headingFont(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

TfrmIntroMain::TfrmIntroMain(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmIntroMain) {
    ui->setupUi(this);
    connect(ui->btnStart, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    ui->lblHead->installEventFilter(this);
    FormCreate();
}

TfrmIntroMain::~TfrmIntroMain() {
    delete ui;
}

QLabel* TfrmIntroMain::Image1() const {
    return ui->Image1;
}
QLabel* TfrmIntroMain::lblHead() const {
    return ui->lblHead;
}
QLabel* TfrmIntroMain::lblSubHead() const {
    return ui->lblSubHead;
}
QPushButton* TfrmIntroMain::btnStart() const {
    return ui->btnStart;
}

QString TfrmIntroMain::pictureFile() {
    return platform::programFolder() + QStringLiteral("Intro.jpg");
}

void TfrmIntroMain::FormCreate() {
    CentrePanelInFrame(ui->pnlSpieler, ui->pnlRahmen, CoverScreenInBlack(this).size());

    ui->lblHead->setFont(headingFont(24));
    SetTextColour(ui->lblHead, colours::clIntroHead);
    ui->lblSubHead->setFont(headingFont(19));
    SetTextColour(ui->lblSubHead,
                  colours::clIntroSubHead); // A missing or unreadable picture leaves the place
                                            // empty; the window works without it.
    const QImage picture(platform::resolvePath(pictureFile()));
    if (!picture.isNull())
        ui->Image1->setPixmap(QPixmap::fromImage(
            picture.scaled(ui->Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// The farewell moves the heading to the right; it wraps within what is left of its panel
// instead of running past the panel's edge.
bool TfrmIntroMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lblHead && event->type() == QEvent::Move) {
        constexpr int margin = 10;
        const int width = ui->lblHead->parentWidget()->width() - margin - ui->lblHead->x();
        if (width > 0 && width != ui->lblHead->width())
            ui->lblHead->resize(width, ui->lblHead->height());
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmIntroMain::keyPressEvent(QKeyEvent* event) {
    // Any key that reaches the window closes it, as "&Weiter" does; a modifier alone is
    // not a key press yet.
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
        QDialog::keyPressEvent(event);
        return;
    default:
        event->accept();
        done(modal::Ok);
    }
}
