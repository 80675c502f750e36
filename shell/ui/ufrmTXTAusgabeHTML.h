// The text window: one full-screen window with an embedded browser in which the program
// shows the HTML pages that ship with it (introduction, glossary, background knowledge).
// One instance lives for the whole run; ShowHtmlPage picks the page's language variant,
// sizes the page panel, sets the closing button and the history mode and shows it.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QPushButton;
class QTextBrowser;
class QToolButton;

namespace Ui {
class TfrmTXTAusgabeHTML;
}

class TfrmTXTAusgabeHTML : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTXTAusgabeHTML(QWidget* parent = nullptr);
    ~TfrmTXTAusgabeHTML() override;

    // Shows the page FileName (full path, ending in ".html"), looked for first as
    // "DE_" + name with the extension ".HTML" in the same folder, then as name + ".HTML",
    // letter case ignored. Height is the page panel's height (-1: 550). Returns the modal
    // result (1 closed with the closing button), or 2 when neither file exists.
    int ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                     const QString& ButtonCaption, bool CloseMode, int HelpContext);

    // The page ShowHtmlPage would show for FileName: the existing file as it is on disk,
    // or "" when neither candidate exists.
    static QString FindPageCandidate(const QString& FileName);

    // When set, the back and forward buttons follow the browser's history.
    bool MitNavigation = false;

    // The window's parts, under their layout names.
    QFrame* pnlMain() const;
    QPushButton* btnClose() const;
    QFrame* pnlNavigate() const;
    QToolButton* btnPrev() const;
    QToolButton* btnNext() const;
    QTextBrowser* brwHTML() const;

    // Clears the window's help context after a showing (see the .cpp).
    void ForgetHelpContext();

    // The browser's command-state notification: Command 1 is forward, 2 is back.
    void brwHTMLCommandStateChange(int Command, bool Enable);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void layoutPanel();
    void btnPrintClick();
    void btnPrevClick();
    void btnNextClick();

    Ui::TfrmTXTAusgabeHTML* ui;
};

// The start-up instance; without start-up, one made on first use and kept.
TfrmTXTAusgabeHTML* textWindow();

// ShowHtmlPage on the start-up instance; see TfrmTXTAusgabeHTML::ShowHtmlPage.
int ShowHtmlPage(const QString& FileName, int ColorA, int ColorB, int Height,
                 const QString& ButtonCaption, bool CloseMode, int HelpContext);
