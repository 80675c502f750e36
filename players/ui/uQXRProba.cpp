// The completion question dialog (see uQXRProba.h).
#include "players/ui/uQXRProba.h"

#include "platform/Paths.h"
#include "platform/ui/uTFormDefault.h"
#include "players/uSpielerVervollstaendigen.h"
#include "ui_uQXRProba.h"

#include <QShowEvent>
#include <QUrl>

TfrmQXRProba::TfrmQXRProba(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmQXRProba) {
    ui->setupUi(this);
    LayOutCentredPanel(this, ui->pnlQXRProba, ui->pnlRahmen);
    ui->lblFrage->setAlignment(Qt::AlignCenter);
    connect(ui->btnKF, &QPushButton::clicked, this, &TfrmQXRProba::btnKFClick);
    connect(ui->btn50, &QPushButton::clicked, this, &TfrmQXRProba::btn50Click);
    connect(ui->btnJF, &QPushButton::clicked, this, &TfrmQXRProba::btnJFClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmQXRProba::btnCancelClick);
}

TfrmQXRProba::~TfrmQXRProba() {
    delete ui;
}

void TfrmQXRProba::btnKFClick() {
    done(ResultKeinFall);
}

void TfrmQXRProba::btn50Click() {
    done(Result50);
}

void TfrmQXRProba::btnJFClick() {
    done(ResultJederFall);
}

void TfrmQXRProba::btnCancelClick() {
    done(ResultBeenden);
}

void TfrmQXRProba::reject() {
    btnCancelClick();
}

void TfrmQXRProba::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmQXRProba::FormActivate() {
    ShowPage();
    // No answer holds the focus when a page opens (a button clicked on the page before
    // would), so no key decides for the user.
    ui->brwHTML->setFocus(Qt::OtherFocusReason);
}

void TfrmQXRProba::ShowPage() {
    const QString page = ui->strTextDatei->text();
    if (!page.isEmpty() && platform::fileExists(page))
        ui->brwHTML->setSource(QUrl::fromLocalFile(platform::resolvePath(page)));
}

QLabel* TfrmQXRProba::strTextDatei() const {
    return ui->strTextDatei;
}
QLabel* TfrmQXRProba::lblFrage() const {
    return ui->lblFrage;
}
QPushButton* TfrmQXRProba::btnKF() const {
    return ui->btnKF;
}
QPushButton* TfrmQXRProba::btn50() const {
    return ui->btn50;
}
QPushButton* TfrmQXRProba::btnJF() const {
    return ui->btnJF;
}
QPushButton* TfrmQXRProba::btnCancel() const {
    return ui->btnCancel;
}
QTextBrowser* TfrmQXRProba::brwHTML() const {
    return ui->brwHTML;
}

int AskQuestion(TfrmQXRProba* form, const QString& textFolder, const QString& pageName) {
    const bool intro = pageName == CompletionIntroPage();
    for (QWidget* w :
         {static_cast<QWidget*>(form->lblFrage()), static_cast<QWidget*>(form->btnKF()),
          static_cast<QWidget*>(form->btn50()), static_cast<QWidget*>(form->btnJF())})
        w->setVisible(!intro);
    form->btnCancel()->setText(intro ? QStringLiteral("OK") : QStringLiteral("Abbruch"));
    if (!intro)
        form->lblFrage()->setText(QStringLiteral("Ich gewähre das Erwünschte"));
    form->strTextDatei()->setText(platform::withTrailingSlash(textFolder) + QStringLiteral("DE_") +
                                  platform::changeFileExt(pageName, QStringLiteral(".html")));
    switch (form->exec()) {
    case TfrmQXRProba::ResultKeinFall:
        return 0;
    case TfrmQXRProba::Result50:
        return 5;
    case TfrmQXRProba::ResultJederFall:
        return 10;
    default:
        return -1;
    }
}
