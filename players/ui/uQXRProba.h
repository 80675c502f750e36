// The question dialog that completes a player: a text page about one situation, the
// sentence "Ich gewähre das Erwünschte" and three answers, or the introduction page with
// only "OK". Created at start-up and reused; AskQuestion sets it up for each page.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/ModalResults.h"

class QLabel;
class QPushButton;
class QTextBrowser;
namespace Ui {
class TfrmQXRProba;
}

class TfrmQXRProba : public QDialog {
    Q_OBJECT
public:
    // Modal results of the four buttons; closing the window counts as Beenden.
    enum {
        ResultKeinFall = modal::No,
        Result50 = modal::Half,
        ResultJederFall = modal::Yes,
        ResultBeenden = modal::Cancel
    };

    explicit TfrmQXRProba(QWidget* parent = nullptr);
    ~TfrmQXRProba() override;

    // Loads the page named by strTextDatei; a missing page leaves the browser as it was.
    void ShowPage();
    void reject() override;

    QLabel* strTextDatei() const;
    QLabel* lblFrage() const;
    QPushButton* btnKF() const;
    QPushButton* btn50() const;
    QPushButton* btnJF() const;
    QPushButton* btnCancel() const;
    QTextBrowser* brwHTML() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void btnKFClick();
    void btn50Click();
    void btnJFClick();
    void btnCancelClick();

    Ui::TfrmQXRProba* ui;
};

// Shows the page of pageName ("Vervollst.html" for the introduction, else "ASK" + code +
// ".rtf") from the text folder as "DE_" + name + ".html" and returns the answer: 0, 5 or 10
// K cases of ten, or -1 for Abbruch and for the introduction's OK.
int AskQuestion(TfrmQXRProba* form, const QString& textFolder, const QString& pageName);
