// The new-player wizard's page and driver (see uNeuerSpieler.h).
#include "players/ui/uNeuerSpieler.h"

#include "ui_uNeuerSpieler.h"

#include "platform/Colours.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "players/NewPlayerWizard.h"
#include "players/uTGroup.h"
#include "players/ui/ufrmInit.h"

#include "platform/HelpContexts.h"
#include "platform/NameCheck.h"

#include <QShowEvent>

int NeuerSpielerSchritt = 1;

namespace {

QString replaceQuestion() {
    return QStringLiteral(
        "Ein Spieler mit diesem Namen existiert bereits.\r\nMöchten Sie ihn ersetzen ?");
}

void setPixelFont(QWidget* widget, int pixels, bool bold) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

// The name page's answer: usable, or (when its file exists) to be replaced after asking.
bool nameAccepted(QWidget* owner, const QString& store, const QString& text) {
    switch (CheckNewPlayerName(store, text)) {
    case NewPlayerName::Unusable:
        platform::showMessage(owner, platform::UnusableNameMessage());
        return false;
    case NewPlayerName::Exists:
        return platform::askYesNo(owner, replaceQuestion().replace(QStringLiteral("\r\n"), "\n"));
    case NewPlayerName::Usable:
        break;
    }
    return true;
}

} // namespace

TfrmNeuerSpieler::TfrmNeuerSpieler(QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmNeuerSpieler) {
    ui->setupUi(this);
    connect(ui->trkWert, &QSlider::valueChanged, this, &TfrmNeuerSpieler::trkWertChange);
    connect(ui->btnOK, &QToolButton::clicked, this, &TfrmNeuerSpieler::btnOKClick);
    connect(ui->txtText, &QLineEdit::returnPressed, this, &TfrmNeuerSpieler::btnOKClick);
    connect(ui->btnJa, &QPushButton::clicked, this, [this] { done(NsJa); });
    connect(ui->btnNein, &QPushButton::clicked, this, [this] { done(NsNein); });
    connect(ui->btnCancel, &QToolButton::clicked, this, &TfrmNeuerSpieler::btnCancelClick);
    FormCreate();
}

TfrmNeuerSpieler::~TfrmNeuerSpieler() {
    delete ui;
}

QLineEdit* TfrmNeuerSpieler::txtText() const {
    return ui->txtText;
}
QSlider* TfrmNeuerSpieler::trkWert() const {
    return ui->trkWert;
}

void TfrmNeuerSpieler::FormCreate() {
    LayOutCentredPanel(this, ui->Panel1, ui->pnlRahmen);
    ui->JvGradient2_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());

    setPixelFont(ui->lblHead, 19, true);
    setPixelFont(ui->lblFrage, 16, false);
    setPixelFont(ui->lblWert, 16, true);
    SetTextColour(ui->lblHead, colours::clWhite);
    SetTextColour(ui->lblFrage, colours::clWhite);
    SetTextColour(ui->lblWert, colours::clYellow);
    SetTextColour(ui->btnCancel, colours::clMaroon);

    const auto text = [](const char* kopf, const char* frage, int maxLen, bool required) {
        return FrageTyp{QString::fromUtf8(kopf),
                        QString::fromUtf8(frage),
                        1,
                        maxLen,
                        0,
                        0,
                        static_cast<std::uint8_t>(required)};
    };
    const auto yesNo = [](const char* kopf, const char* frage) {
        return FrageTyp{QString::fromUtf8(kopf), QString::fromUtf8(frage), 0, 0, 1, 0, 0};
    };
    const auto slider = [](const char* kopf, const char* frage) {
        return FrageTyp{QString::fromUtf8(kopf), QString::fromUtf8(frage), 0, 0, 0, 1, 0};
    };
    Fragen = {{
        {},
        text("Spielername", "Wie soll Ihr neuer Spieler heißen ?", 8, true),
        yesNo("Einstellung zum Frieden", "Soll sich Ihr Spieler friedlich verhalten ?"),
        yesNo("Zum Angreifen", "Soll Ihr Spieler die Gegenseite angreifen, ohne zuvor von der "
                               "Gegenseite angegriffen worden zu sein ?"),
        slider("Zum Angreifen",
               "Ein Angriff auf die Gegenseite ist möglich. In wie vielen von zehn Fällen soll "
               "Ihr Spieler versuchen, die Gegenseite hereinzulegen ?"),
        yesNo("Zum Angreifen",
              "Soll Ihr Spieler beim Angreifen versuchen, die Gegenseite erneut hereinzulegen ?"),
        slider("Zum Angreifen", "In wievielen von zehn Fällen soll Ihr Spieler beim Angreifen "
                                "versuchen, die Gegenseite hereinzulegen ?"),
        yesNo("Zum Verteidigen",
              "Soll Ihr Spieler sich entschlossen wehren, wenn die Gegenseite angreift ? (d.h.: "
              "Ohne die geringsten Eingeständnisse zu machen)"),
        slider("Zum Verteidigen",
               "In wievielen von zehn Fällen soll Ihr Spieler beim Verteidigen versuchen, durch "
               "Eingeständnisse ein Arrangement mit der Gegenseite zu finden ?"),
        text("Allgemeine Daten",
             "Wenn Sie wollen, können Sie ein Motto für Ihren neuen Spieler angeben.", 80, false),
        text("Allgemeine Daten",
             "Wenn Sie wollen, können Sie für Ihrem neuen Spieler ein Geschlecht geben (m/w).", 1,
             false),
        text("Allgemeine Daten", "Wenn Sie wollen, können Sie ein Alter angeben.", 3, false),
        text("Allgemeine Daten", "Wenn Sie wollen, können Sie eine Nationalität angeben.", 10,
             false),
        yesNo("Einstellung zum Verteidigen", "Wollen Sie das Verteidigungsverhalten ändern ?"),
        yesNo("Einstellung zum Angreifen", "Wollen Sie das Angriffsverhalten ändern ?"),
        yesNo("Einstellung zu Konflikt und Konsens", "Soll Ihr Spieler friedlich sein ?"),
    }};
}

void TfrmNeuerSpieler::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmNeuerSpieler::FormActivate() {
    ShowQuestion(NeuerSpielerSchritt);
}

void TfrmNeuerSpieler::ShowQuestion(int Step) {
    if (Step < 1 || Step > kFragen)
        return;
    const FrageTyp& frage = Fragen[static_cast<size_t>(Step)];
    ui->lblHead->show();
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lblWert, ui->txtText, ui->btnOK,
                                                      ui->btnJa, ui->btnNein, ui->trkWert})
        w->hide();
    ui->txtText->clear();
    ui->lblHead->setText(frage.Kopf);
    ui->lblFrage->setText(frage.Frage);
    if (frage.hasText == 1) {
        ui->btnOK->show();
        ui->txtText->show();
        // The length given in the table does not limit the field; the record cuts.
        ui->txtText->setMaxLength(32767);
        ui->txtText->setFocus();
    }
    if (frage.yesNo != 0) {
        ui->btnJa->show();
        ui->btnNein->show();
    }
    if (frage.slider != 0) {
        ui->trkWert->setValue(1);
        trkWertChange();
        ui->btnOK->show();
        ui->trkWert->show();
        ui->lblWert->show();
        ui->trkWert->setFocus();
    }
}

void TfrmNeuerSpieler::trkWertChange() {
    ui->lblWert->setText(QStringLiteral("In ") + QString::number(ui->trkWert->value()) +
                         QStringLiteral(" von 10 Fällen"));
}

void TfrmNeuerSpieler::btnOKClick() {
    if (ui->btnOK->isHidden())
        return;
    const int step = NeuerSpielerSchritt;
    if (step >= 1 && step <= kFragen && Fragen[static_cast<size_t>(step)].required != 0 &&
        ui->txtText->text().trimmed().isEmpty())
        return; // the page stays open; the empty field (blanks are no name) says enough
    done(NsOk);
}

void TfrmNeuerSpieler::btnCancelClick() {
    done(NsAbbruch);
}

void TfrmNeuerSpieler::reject() {
    btnCancelClick();
}

void RunNewPlayerWizard(QWidget* owner, TfrmNeuerSpieler* page, const TGroup& group,
                        const QString& store, QStringList& spielerListe) {
    if (page == nullptr)
        return;
    NewPlayerWizard wizard;
    int step = 1;
    platform::guarded(owner, [&] {
        ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, page, help::NewPlayer);
        while (step > 0) {
            NeuerSpielerSchritt = step;
            const int result = page->exec();
            const QString text = page->txtText()->text();
            int next = step;
            if (!platform::guarded(owner, [&] {
                    next = wizard.Answer(step, result, text, page->trkWert()->value());
                }))
                continue; // a refused text: the same page again
            if (step == 1 && result != NsAbbruch && !nameAccepted(owner, store, text))
                continue; // the name page again
            step = next;
        }
    });
    // A player that could not be written leaves the store and its index as they were.
    if (step == NewPlayerWizard::kFertig && !platform::guarded(owner, [&] {
            SaveNewPlayer(store, wizard);
            group.RenewGroupFiles(store);
        }))
        return;
    platform::guarded(owner, [&] { spielerListe = BuildPlayerIndexWithWait(group, store, owner); });
}
