// The author page (see uAutor.h).
#include "shell/ui/uAutor.h"

#include "ui_uAutor.h"

#include "platform/Colours.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/ui/uTFormDefault.h"

#include <QPixmap>

TfrmAutor::TfrmAutor(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmAutor) {
    ui->setupUi(this);
    connect(ui->btnWeiter, &QPushButton::clicked, this, [this] { done(modal::Ok); });

    const QRect area = CoverScreenInBlack(this);

    const QPixmap logo(
        platform::resolvePath(platform::programFolder() + QStringLiteral("AutorLogo.png")));
    if (!logo.isNull()) {
        ui->imgLogo->setPixmap(logo);
        ui->imgLogo->resize(logo.size());
    }
    ui->imgLogo->move(area.width() - ui->imgLogo->width(), area.height() - ui->imgLogo->height());
    ui->btnWeiter->move(0, 0);

    QFont hallo(QStringLiteral("Arial"));
    hallo.setPixelSize(28);
    ui->lblHallo->setFont(hallo);
    SetTextColour(ui->lblHallo, colours::clSilver);
    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(64);
    name.setBold(true);
    name.setCapitalization(QFont::AllUppercase);
    ui->lblWendrak->setFont(name);
    SetTextColour(ui->lblWendrak, colours::clWhite);
    for (QLabel* label : {ui->lblHallo, ui->lblWendrak})
        label->setFixedWidth(qMax(label->width(), label->sizeHint().width()));
    ui->lblHallo->move(area.width() / 2 - ui->lblHallo->width() / 2, 150);
    ui->lblWendrak->move(area.width() / 2 - ui->lblWendrak->width() / 2, 300);
}

TfrmAutor::~TfrmAutor() {
    delete ui;
}

QPushButton* TfrmAutor::btnWeiter() const {
    return ui->btnWeiter;
}
