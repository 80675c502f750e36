// The exchange worker (see ufrmFTPPlayer.h).
#include "players/ui/ufrmFTPPlayer.h"

#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/ProgramPath.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/uTFormDefault.h"
#include "ui_ufrmFTPPlayer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace {

// The window's side of a running transfer.
class WorkerObserver : public ExchangeObserver {
public:
    explicit WorkerObserver(TfrmFTPPlayer* worker) : m_worker(worker) {}
    void ShowStatus(const QString& head, const QString& subHead) override {
        m_worker->ShowStatus(head, subHead);
    }
    bool CancelRequested() override {
        QCoreApplication::processEvents();
        return m_worker->Abbruch;
    }
    void ShowFailure(const QString& message) override { platform::showError(m_worker, message); }

private:
    TfrmFTPPlayer* m_worker;
};

} // namespace

TfrmFTPPlayer::TfrmFTPPlayer(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TfrmFTPPlayer) {
    ui->setupUi(this);
    TimerDummy = new QTimer(this);
    TimerDummy->setObjectName(QStringLiteral("TimerDummy"));
    TimerDummy->setInterval(1000);
    connect(TimerDummy, &QTimer::timeout, this, &TfrmFTPPlayer::TimerDummyTimer);
    connect(ui->SpeedButtonCancel, &QToolButton::clicked, this,
            &TfrmFTPPlayer::SpeedButtonCancelClick);
    FormCreate();
}

TfrmFTPPlayer::~TfrmFTPPlayer() {
    delete ui;
}

void TfrmFTPPlayer::FormCreate() {
    setFixedSize(ui->pnlRahmen->size());
    platform::guarded(this, [this] {
        ApplyFormDefaults(colours::clDarkGreen, colours::clGreen, this, help::Exchange);
    });
}

void TfrmFTPPlayer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmFTPPlayer::FormActivate() {
    // Centred on the window it belongs to (the full-screen exchange dialog), else the screen.
    QRect area = parentWidget() != nullptr ? parentWidget()->window()->geometry() : QRect();
    if (area.isEmpty() && QGuiApplication::primaryScreen() != nullptr)
        area = QGuiApplication::primaryScreen()->geometry();
    move(area.center() - rect().center());
    if (m_finished)
        return;
    platform::guarded(
        this, [this] { m_env = Umgebung != nullptr ? *Umgebung : ReadExchangeEnvironment(); });
    if (m_env.WendrakPath.isEmpty())
        m_env.WendrakPath = platform::programFolder();
    ApplyExchangeServer(m_env.Server, IdFTP);
    TimerDummy->start();
}

void TfrmFTPPlayer::ShowStatus(const QString& head, const QString& subHead) {
    if (!head.isEmpty())
        ui->lblHead->setText(head);
    if (!subHead.isEmpty())
        ui->lblSubHead->setText(subHead);
    ui->lblHead->repaint();
    ui->lblSubHead->repaint();
    // The window is painted meanwhile; clicks wait for the points where the work looks.
    const QDeadlineTimer shown(200);
    while (!shown.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents,
                                        static_cast<int>(shown.remainingTime()));
}

void TfrmFTPPlayer::TimerDummyTimer() {
    Ergebnistext.clear();
    TimerDummy->stop();
    WorkerObserver observer(this);
    ExchangeWork work(IdFTP, observer, platform::programFolder(), m_env.WendrakPath);
    work.Modus = Modus;
    work.Gruppenname = Gruppenname;
    work.Beschreibung = Beschreibung;
    work.Dateien = Dateien;
    work.Run();
    Ergebnistext = work.Ergebnistext;
    LeftOutText = work.LeftOutText;
    Dateien = work.Dateien;
    Verzeichnisliste = work.Verzeichnisliste;
    Beschreibung = work.Beschreibung;
    m_finished = true;
    done(modal::Ok);
}

void TfrmFTPPlayer::SpeedButtonCancelClick() {
    // A click that waited until the work was done has nothing left to cancel.
    if (m_finished)
        return;
    TimerDummy->stop();
    Abbruch = true;
    Ergebnistext = CancelledText();
    done(modal::Cancel);
}

void TfrmFTPPlayer::reject() {
    SpeedButtonCancelClick();
}
