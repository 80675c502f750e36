// The background-material menu (see ufrmDravolHintergundmaterial.h).
#include "shell/ui/ufrmDravolHintergundmaterial.h"

#include "ui_ufrmDravolHintergundmaterial.h"

#include "engine/uTApplicationEnviroment.h"
#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/uTFormDefault.h"
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include <QTextBrowser>
#include <QUrl>

TfrmDravolHintergundmaterial::TfrmDravolHintergundmaterial(QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmDravolHintergundmaterial) {
    ui->setupUi(this);
    for (QPushButton* button :
         {ui->btnDE_ErsteInformationen, ui->btnDE_WieGruppenberechnetwerden,
          ui->btnDE_ZurAnalysevonGruppen, ui->btnDE_DaskollektiveResultat,
          ui->btnDE_DieVersuchsspieler, ui->btnDE_DiesechsTypenvonVerhaltensweisen})
        connect(button, &QPushButton::clicked, this,
                [this, button] { btnDE_ErsteInformationenClick(button); });
    connect(ui->btnInhaltsverzeichnis_Dravolenz, &QPushButton::clicked, this,
            &TfrmDravolHintergundmaterial::btnInhaltsverzeichnis_DravolenzClick);
    connect(ui->btnBesondereSpieler, &QPushButton::clicked, this,
            &TfrmDravolHintergundmaterial::btnBesondereSpielerClick);
    connect(ui->btnBack, &QPushButton::clicked, this, [this] { done(modal::Ok); });
    FormCreate();
}

TfrmDravolHintergundmaterial::~TfrmDravolHintergundmaterial() {
    delete ui;
}

void TfrmDravolHintergundmaterial::FormCreate() {
    CentrePanelInFrame(ui->pnlMain, ui->pnlRahmen, CoverScreenInBlack(this).size());
    ui->pnlRahmen->setVisible(true);

    QFont head(QStringLiteral("Arial"));
    head.setPixelSize(22);
    head.setBold(true);
    ui->lblHead->setFont(head);
    SetTextColour(ui->lblHead, colours::clYellow);
    platform::guarded(this, [this] { m_umgebung = std::make_unique<TApplicationEnviroment>(); });
    ApplyFormDefaults(colours::clBlack, colours::clNavy, this, help::BackgroundMaterial);
}

QString TfrmDravolHintergundmaterial::textFolder() const {
    return m_umgebung ? platform::withTrailingSlash(m_umgebung->WendrakTextPath()) : QString();
}

QString TfrmDravolHintergundmaterial::PageOfButton(const QPushButton* button) const {
    QString caption = button->text();
    caption.remove(QLatin1Char(' '));
    return textFolder() + QStringLiteral("DE_") + caption + QStringLiteral(".html");
}

void TfrmDravolHintergundmaterial::btnDE_ErsteInformationenClick(const QPushButton* sender) {
    ShowPage(PageOfButton(sender));
}

void TfrmDravolHintergundmaterial::btnInhaltsverzeichnis_DravolenzClick() {
    ShowPage(textFolder() + QStringLiteral("Glossar_Dravolenz.html"));
}

void TfrmDravolHintergundmaterial::btnBesondereSpielerClick() {
    ShowPage(textFolder() + QStringLiteral("DE_BesondereSpieler.html"));
}

void TfrmDravolHintergundmaterial::ShowPage(const QString& FileName) {
    TfrmTXTAusgabeHTML* window = textWindow();
    ApplyFormDefaults(colours::clBlack, colours::clNavy, window, 0);
    if (!platform::fileExists(FileName))
        return;
    // Unlike ShowHtmlPage the page is taken as named, and the panel height, the history
    // mode and the navigation bar stay as the last showing left them.
    QTextBrowser* browser = window->brwHTML();
    browser->setVisible(false);
    browser->setSource(QUrl::fromLocalFile(platform::resolvePath(FileName)));
    browser->setVisible(true);
    window->btnClose()->setText(QStringLiteral("Zur&ück"));
    window->exec();
    window->ForgetHelpContext();
}
