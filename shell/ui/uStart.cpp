// The start picture (see uStart.h).
#include "shell/ui/uStart.h"

#include "ui_uStart.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/uTFormDefault.h"

#include <QKeyEvent>
#include <QPixmap>

TfrmStart::TfrmStart(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmStart) {
    ui->setupUi(this);

    // FormCreate: the window and the picture cover the screen, the title sits in the middle.
    const QRect area = CoverScreenInBlack(this);
    ui->imgBack->setGeometry(0, 0, area.width(), area.height());
    ui->imgBack->setPixmap(
        QPixmap(platform::resolvePath(platform::programFolder() + QStringLiteral("Start.jpg"))));

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(48);
    title.setBold(true);
    ui->lbl1->setFont(title);
    SetTextColour(ui->lbl1, colours::clRed);
    ui->lbl1->move(area.width() / 2 - ui->lbl1->width() / 2, area.height() / 2 - 50);
}

TfrmStart::~TfrmStart() {
    delete ui;
}

void TfrmStart::keyPressEvent(QKeyEvent* event) {
    event->accept();
    done(modal::Ok);
}
