// The change-player wizard (see uPLYAendern.h).
#include "players/ui/uPLYAendern.h"

#include "ui_uPLYAendern.h"

#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"
#include "players/uTGroup.h"
#include "players/ui/ufrmChoosePlayer.h"
#include "players/ui/ufrmInit.h"

#include <QShowEvent>
#include <QTimer>

using namespace changeplayer;

namespace {

constexpr int kTakt = 51; // milliseconds between two ticks of the questions

} // namespace

TfrmPLYAendern::TfrmPLYAendern(QWidget* parent)
    : QDialog(parent), SpielerAlt(zeroedPlayer()), SpielerNeu(zeroedPlayer()),
      ui(new Ui::TfrmPLYAendern) {
    ui->setupUi(this);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmeMain"));
    m_timer->setInterval(kTakt);

    connect(m_timer, &QTimer::timeout, this, &TfrmPLYAendern::tmeMainTimer);
    connect(ui->txtSpielerNeu, &QLineEdit::textChanged, this, &TfrmPLYAendern::txtSpielerNeuChange);
    connect(ui->txtSpielerNeu, &QLineEdit::returnPressed, this, [this] {
        if (ui->btnName->isEnabled())
            btnNameClick();
    });
    connect(ui->btnName, &QToolButton::clicked, this, &TfrmPLYAendern::btnNameClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TfrmPLYAendern::BitBtn1Click);
    connect(ui->btnWeiter, &QPushButton::clicked, this, &TfrmPLYAendern::btnWeiterClick);
    connect(ui->btnNein, &QPushButton::clicked, this, &TfrmPLYAendern::btnNeinClick);
    connect(ui->trkWert, &QSlider::valueChanged, this, &TfrmPLYAendern::trkWertChange);
    connect(ui->btnNochmal, &QPushButton::clicked, this, &TfrmPLYAendern::btnNochmalClick);
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmPLYAendern::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmPLYAendern::reject);
    FormCreate();
}

TfrmPLYAendern::~TfrmPLYAendern() {
    delete ui;
}

QLabel* TfrmPLYAendern::lblSpielerFile() const {
    return ui->lblSpielerFile;
}

void TfrmPLYAendern::FormCreate() {
    LayOutCentredPanel(this, ui->Panel1, ui->pnlRahmen);
    ui->JvGradient5_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());
    QPalette black = ui->pnlFrage->palette();
    black.setColor(QPalette::Window, GradientWidget::fromBgr(colours::clBlack));
    ui->pnlFrage->setPalette(black);
    m_timer->stop();

    for (QLabel* label :
         {ui->lblSpielerAlt1, ui->txtSpielerAlt, ui->Label1, ui->lblFrage, ui->lblWert})
        SetTextColour(label, colours::clWhite);
    SetTextColour(ui->lblFehler, colours::clYellow);
    for (QLabel* label : {ui->txtSpielerAlt, ui->lblFehler, ui->lblWert, ui->lblFrage}) {
        QFont font = label->font();
        font.setBold(label != ui->lblFrage);
        font.setPixelSize(label == ui->lblFrage ? 16 : 13);
        label->setFont(font);
    }
}

void TfrmPLYAendern::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmPLYAendern::hideEvent(QHideEvent* event) {
    m_timer->stop();
    QDialog::hideEvent(event);
}

void TfrmPLYAendern::FormActivate() {
    const QString file = ui->lblSpielerFile->text();
    const bool read = platform::guarded(this, [&] { SpielerAlt = readPlayerFile(file); });
    if (!read) {
        // Nothing to change: the window closes as if the user had gone back.
        QTimer::singleShot(0, this, &TfrmPLYAendern::reject);
        return;
    }
    SpielerNeu = SpielerAlt;
    ui->txtSpielerAlt->setText(SpielerAlt.Name.get());
    ui->lblFehler->hide();
    ui->lblFehler->setText(ExistsMessage());
    ui->txtSpielerNeu->clear();
    ui->txtSpielerNeu->setFocus();
    ui->pnlSpielerDetail->hide();
    Ordner = platform::extractFilePath(file);
    m_neuerName.clear();
    m_timer->stop();
    ui->btnOK->setEnabled(false);
}

void TfrmPLYAendern::txtSpielerNeuChange() {
    // Blanks alone are no name: the button stays off as for an empty field.
    ui->btnName->setEnabled(!ui->txtSpielerNeu->text().trimmed().isEmpty());
}

void TfrmPLYAendern::btnNameClick() {
    QString name;
    if (!platform::guarded(this, [&] { name = AcceptNewName(ui->txtSpielerNeu->text()); }))
        return;
    if (NameTaken(Ordner, name)) {
        ui->lblFehler->show();
        return;
    }
    m_neuerName = name;
    RenamePlayer(SpielerNeu, name);
    const auto questions = BuildQuestions(name);
    std::copy(questions.begin(), questions.end(), Fragen.begin() + 1);
    ui->lblFehler->hide();
    ui->pnlSpielerDetail->show();
    ui->btnNochmal->hide();
    Beantwortet = false;
    // A new pass must finish before anything can be saved again.
    ui->btnOK->setEnabled(false);
    m_timer->start();
    Zustand = 1;
}

void TfrmPLYAendern::fktZeichneFrage(int Index) {
    if (Index < 1 || Index > kFragen)
        return;
    const FrageTyp& frage = Fragen[static_cast<size_t>(Index)];
    if (ui->lblFrage->text() == frage.text)
        return;
    ui->lblFrage->setText(frage.text);
    QWidget* shown = frage.kind == Schieber ? ui->pnlWert : ui->pnlJaNein;
    QWidget* hidden = frage.kind == Schieber ? ui->pnlJaNein : ui->pnlWert;
    hidden->hide();
    shown->show();
    const QWidget* area = ui->pnlFrage;
    shown->move(shown->x(), area->y() + area->height() - shown->height() - 16);
    update();
}

void TfrmPLYAendern::answer(int value) {
    if (Zustand < 1 || Zustand > kFragen)
        return;
    Fragen[static_cast<size_t>(Zustand)].answer = value;
    Beantwortet = true;
}

void TfrmPLYAendern::BitBtn1Click() {
    answer(Ja);
}

void TfrmPLYAendern::btnNeinClick() {
    answer(Nein);
}

void TfrmPLYAendern::btnWeiterClick() {
    answer(Ja);
}

void TfrmPLYAendern::trkWertChange() {
    ui->lblWert->setText(QString::number(ui->trkWert->value()));
}

void TfrmPLYAendern::stopAsking(const QString& text, int colour) {
    m_timer->stop();
    ui->pnlJaNein->hide();
    ui->pnlWert->hide();
    ui->btnNochmal->show();
    ui->lblFrage->setText(text);
    SetTextColour(ui->lblFrage, colour);
    // Return must not leave without saving: the focus goes to what the user wants next.
    (ui->btnOK->isEnabled() ? ui->btnOK : ui->btnNochmal)->setFocus();
}

void TfrmPLYAendern::tmeMainTimer() {
    SetTextColour(ui->lblFrage, colours::clWhite);
    if (Zustand > kFragen) {
        ui->btnOK->setEnabled(true);
        stopAsking(QStringLiteral("Spielerdaten vollständig."), colours::clWhite);
        return;
    }
    if (!Beantwortet) {
        fktZeichneFrage(Zustand);
        return;
    }
    const int next = ApplyAnswer(SpielerNeu, Zustand, Fragen[static_cast<size_t>(Zustand)].answer,
                                 ui->trkWert->value());
    Beantwortet = false;
    if (next == kWiderspruch) {
        // This answer set cannot be saved; "Wiederholen" asks again.
        stopAsking(QStringLiteral("Ihre Angaben widersprechen sich."), colours::clRed);
        return;
    }
    Zustand = next;
}

void TfrmPLYAendern::btnNochmalClick() {
    ui->btnNochmal->hide();
    Beantwortet = false;
    m_timer->start();
    Zustand = 1;
    ui->btnOK->setEnabled(false);
}

void TfrmPLYAendern::btnOKClick() {
    if (m_neuerName.isEmpty())
        return;
    // A failed write keeps the window open with the answers, and the old file (if any) whole.
    if (platform::guarded(this, [&] { SaveChangedPlayer(Ordner, m_neuerName, SpielerNeu); }))
        done(modal::Ok);
}

void TfrmPLYAendern::reject() {
    done(modal::Cancel);
}

void RunChangePlayerWizard(QWidget* owner, TfrmChoosePlayer* chooser, TfrmPLYAendern* wizard,
                           const TGroup& group, const QString& store, QStringList& spielerListe) {
    if (chooser == nullptr || wizard == nullptr)
        return;
    if (!platform::guarded(owner, [&] {
            ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, chooser, help::PlayerChooser);
        }))
        return;
    chooser->ClearDetails();
    chooser->SpielerListe = spielerListe;
    if (chooser->exec() != modal::Ok)
        return;
    const QString path = platform::withTrailingSlash(store) + chooser->SpielerDatei;
    // The chooser read the player when it was chosen; one unreadable since is reported by the
    // wizard, which then closes.
    if (!platform::guarded(owner, [&] {
            ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, wizard, help::ChangePlayer);
        }))
        return;
    wizard->lblSpielerFile()->setText(platform::resolvePath(path));
    wizard->exec();
    platform::guarded(owner, [&] { spielerListe = BuildPlayerIndexWithWait(group, store, owner); });
}
