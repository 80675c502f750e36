// The exchange worker: the small modal window that does one transfer with the exchange
// server (0 publish a group, 1 import chosen groups, 2 list the groups) and shows what it is
// doing. The caller sets Modus and the inputs, shows it modally and reads Ergebnistext
// (empty only on success) and, after a listing, Dateien. The work starts one second after
// the window is shown; "A&bbruch" cancels before the work starts or between the players of
// an import.
#pragma once

#include "players/Exchange.h"
#include "players/FtpClient.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QTimer;
namespace Ui {
class TfrmFTPPlayer;
}

class TfrmFTPPlayer : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFTPPlayer(QWidget* parent = nullptr);
    ~TfrmFTPPlayer() override;

    QStringList Verzeichnisliste;
    bool Abbruch = false;
    QString Ergebnistext;
    QString LeftOutText; // after a listing: the groups left out (see ExchangeWork)
    int Modus = 0;
    QString Gruppenname;
    QString Beschreibung; // lines separated by CR LF
    QStringList Dateien;
    // Lent by the caller; the worker reads its own settings when none is lent.
    const ExchangeEnvironment* Umgebung = nullptr;

    FtpClient IdFTP;
    QTimer* TimerDummy;

    // A non-empty text replaces the head or sub-head; each update is shown for 200 ms.
    void ShowStatus(const QString& head, const QString& subHead);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void FormCreate();
    void FormActivate();
    void TimerDummyTimer();
    void SpeedButtonCancelClick();

    Ui::TfrmFTPPlayer* ui;
    ExchangeEnvironment m_env;
    bool m_finished = false;
};
