// The text window: which file ShowHtmlPage shows, what it returns, the panel height and
// closing button it sets, and the history buttons with navigation on and off.
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include "engine/ui/uTFormDefault.h"
#include "platform/ui/Application.h"
#include "platform/ui/GradientWidget.h"

#include "TempRoot.h"

#include <QApplication>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

QByteArray page(const QString& title, const QString& body = QString()) {
    return ("<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body><h1>" +
            title + "</h1>" + body + "</body></html>")
        .toUtf8();
}

struct Shown {
    bool visible = false;
    QString file;
    int panelHeight = 0;
    QString caption;
    bool navigationBar = false;
};

// Calls show (which runs the window modally), looks at the window while it is open, and
// closes it with its closing button.
int showAndClose(TfrmTXTAusgabeHTML& w, Shown& seen, const std::function<int()>& show) {
    QTimer::singleShot(0, &w, [&] {
        seen.visible = w.isVisible();
        seen.file = QFileInfo(w.brwHTML()->source().toLocalFile()).fileName();
        seen.panelHeight = w.pnlMain()->height();
        seen.caption = w.btnClose()->text();
        seen.navigationBar = w.pnlNavigate()->isVisible();
        QTest::mouseClick(w.btnClose(), Qt::LeftButton);
    });
    return show();
}

} // namespace

class TextWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showHtmlPage_picksTheLanguageVariantFirst_data();
    void showHtmlPage_picksTheLanguageVariantFirst();
    void showHtmlPage_withoutAnyCandidateReturns2AndShowsNothing();
    void showHtmlPage_setsPanelHeightCaptionAndNavigationBar();
    void eachPageKeepsItsOwnHelpContextWhileShown();
    void navigationOn_buttonsFollowTheHistory();
    void navigationOff_followingLinksNeverShowsTheButtons();
    void print_asksThePrintDialogFirst();
};

void TextWindowTest::showHtmlPage_picksTheLanguageVariantFirst_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("shown");

    QTest::newRow("only the DE_ variant") << QStringList{"DE_StartText.html"} << "StartText.html"
                                          << "DE_StartText.html";
    QTest::newRow("only the plain page") << QStringList{"StartText.html"} << "StartText.html"
                                         << "StartText.html";
    QTest::newRow("both: DE_ wins")
        << QStringList{"StartText.html", "DE_StartText.html"} << "StartText.html"
        << "DE_StartText.html";
    QTest::newRow("DE_ name looks for DE_DE_ first")
        << QStringList{"DE_Dravolenz.html", "DE_DE_Dravolenz.html"} << "DE_Dravolenz.html"
        << "DE_DE_Dravolenz.html";
    QTest::newRow("DE_ name falls back to itself")
        << QStringList{"DE_SoftwareWillkommen.html"} << "DE_SoftwareWillkommen.html"
        << "DE_SoftwareWillkommen.html";
    QTest::newRow("letter case of the file ignored")
        << QStringList{"de_glossar.HTML"} << "Glossar.html"
        << "de_glossar.HTML";
    QTest::newRow("other extension becomes .HTML") << QStringList{"DE_Seite.html"} << "Seite.htm"
                                                   << "DE_Seite.html";
    QTest::newRow("umlaut in the name") << QStringList{"DE_Friedlich-evolutionäresVerhalten.html"}
                                        << "DE_Friedlich-evolutionäresVerhalten.html"
                                        << "DE_Friedlich-evolutionäresVerhalten.html";
    QTest::newRow("subfolder with backslash")
        << QStringList{"texte/Inhaltsverzeichnis.html"} << "texte\\Inhaltsverzeichnis.html"
        << "Inhaltsverzeichnis.html";
}

void TextWindowTest::showHtmlPage_picksTheLanguageVariantFirst() {
    QFETCH(QStringList, files);
    QFETCH(QString, requested);
    QFETCH(QString, shown);
    TempRoot root;
    for (const QString& f : files)
        root.write("Wendrak/Texte/" + f, page(f));
    TfrmTXTAusgabeHTML w;
    Shown seen;
    const int result = showAndClose(w, seen, [&] {
        return w.ShowHtmlPage(root.programFolder() + "Texte/" + requested, 0x800000, 0, 420, "&Ok",
                              false, 0);
    });
    QCOMPARE(result, 1);
    QVERIFY(seen.visible);
    QCOMPARE(seen.file, shown);
}

void TextWindowTest::showHtmlPage_withoutAnyCandidateReturns2AndShowsNothing() {
    TempRoot root;
    root.write("Wendrak/Texte/Anderes.html", page("Anderes"));
    TfrmTXTAusgabeHTML w;
    w.btnClose()->setText("vorher");
    const int result =
        w.ShowHtmlPage(root.programFolder() + "Texte/Fehlt.html", 0, 0x800000, -1, "&Ok", true, 0);
    QCOMPARE(result, 2);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.btnClose()->text(), QString("vorher"));
    QVERIFY(!w.MitNavigation);
    // A folder that does not exist at all is no different.
    QCOMPARE(w.ShowHtmlPage("/gibt/es/nicht/Seite.html", 0, 0, -1, "&Ok", false, 0), 2);
}

void TextWindowTest::showHtmlPage_setsPanelHeightCaptionAndNavigationBar() {
    TempRoot root;
    const QString file = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("Glossar"));
    TfrmTXTAusgabeHTML w;
    w.pnlNavigate()->setVisible(false);
    const struct {
        int height;
        int expected;
        const char* caption;
    } rows[] = {{-1, 550, "B&eenden"}, {420, 420, "&Ok"}, {560, 560, "&Ok"}};
    for (const auto& row : rows) {
        Shown seen;
        QCOMPARE(showAndClose(w, seen,
                              [&] {
                                  return w.ShowHtmlPage(file, 0x0000E7, 0x000080, row.height,
                                                        row.caption, false, 40000);
                              }),
                 1);
        QCOMPARE(seen.panelHeight, row.expected);
        QCOMPARE(seen.caption, QString(row.caption));
        QVERIFY(seen.navigationBar);
    }
    // The page panel stays centred in the window, framed 5 pixels on each side.
    const QRect panel = w.pnlMain()->geometry();
    QCOMPARE(w.pnlRahmen()->geometry(), panel.adjusted(-5, -5, 5, 5));
    QVERIFY(qAbs(panel.center().x() - w.width() / 2) <= 1);
}

void TextWindowTest::eachPageKeepsItsOwnHelpContextWhileShown() {
    TempRoot root;
    const QString welcome =
        root.write("Wendrak/Texte/DE_SoftwareWillkommen.html", page("Willkommen"));
    const QString glossary = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("Glossar"));
    const QString challenge = root.write("Wendrak/Texte/DE_Dravolenz.html", page("Dravolenz"));
    TfrmTXTAusgabeHTML w;
    auto contextWhileShown = [&](const std::function<int()>& show) {
        int context = -1;
        QTimer::singleShot(0, &w, [&] {
            context = w.property("helpContext").toInt();
            w.btnClose()->click();
        });
        show();
        return context;
    };
    // The welcome page: styled by its command with 50200, then by ShowHtmlPage with 50200.
    QCOMPARE(contextWhileShown([&] {
                 ApplyFormDefaults(0x800000, 0, &w, 50200);
                 return w.ShowHtmlPage(welcome, 0x800000, 0, 560, "&Ok", false, 50200);
             }),
             50200);
    // The glossary afterwards opens its own topic, not the welcome page's.
    QCOMPARE(contextWhileShown([&] {
                 return w.ShowHtmlPage(glossary, 0x0000E7, 0x000080, -1, "B&eenden", false, 40000);
             }),
             40000);
    // The challenge page: its command's 50200 holds, ShowHtmlPage passes 0.
    QCOMPARE(contextWhileShown([&] {
                 ApplyFormDefaults(0, 0x800000, &w, 50200);
                 return w.ShowHtmlPage(challenge, 0, 0x800000, -1, "&Ok", false, 0);
             }),
             50200);
}

void TextWindowTest::navigationOn_buttonsFollowTheHistory() {
    TempRoot root;
    const QString index = root.write("Wendrak/Texte/texte/Inhaltsverzeichnis.html",
                                     page("Inhalt", "<a href=\"Kapitel.html\">Kapitel</a>"));
    const QString chapter = root.write("Wendrak/Texte/texte/Kapitel.html", page("Kapitel"));
    TfrmTXTAusgabeHTML w;
    bool prevAtStart = true, nextAtStart = true, prevAfterLink = false, nextAfterLink = true,
         prevAfterBack = true, nextAfterBack = false;
    QString backAt;
    QTimer::singleShot(0, &w, [&] {
        prevAtStart = w.btnPrev()->isVisible();
        nextAtStart = w.btnNext()->isVisible();
        // Following the link inside the page.
        w.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
        prevAfterLink = w.btnPrev()->isVisible();
        nextAfterLink = w.btnNext()->isVisible();
        QTest::mouseClick(w.btnPrev(), Qt::LeftButton);
        backAt = QFileInfo(w.brwHTML()->source().toLocalFile()).fileName();
        prevAfterBack = w.btnPrev()->isVisible();
        nextAfterBack = w.btnNext()->isVisible();
        QTest::mouseClick(w.btnClose(), Qt::LeftButton);
    });
    QCOMPARE(w.ShowHtmlPage(index, 0x0000E7, 0x000080, -1, "B&eenden", true, 40100), 1);
    QVERIFY(w.MitNavigation);
    QVERIFY(!prevAtStart);
    QVERIFY(!nextAtStart);
    QVERIFY(prevAfterLink);
    QVERIFY(!nextAfterLink);
    QCOMPARE(backAt, QString("Inhaltsverzeichnis.html"));
    QVERIFY(!prevAfterBack);
    QVERIFY(nextAfterBack);
}

void TextWindowTest::navigationOff_followingLinksNeverShowsTheButtons() {
    TempRoot root;
    const QString start = root.write("Wendrak/Texte/StartText.html",
                                     page("Start", "<a href=\"Zweite.html\">weiter</a>"));
    const QString second = root.write("Wendrak/Texte/Zweite.html", page("Zweite"));
    TfrmTXTAusgabeHTML w;
    // The window was used with navigation before: the buttons may be showing.
    w.MitNavigation = true;
    w.brwHTML()->setSource(QUrl::fromLocalFile(second));
    w.brwHTML()->setSource(QUrl::fromLocalFile(start));
    QVERIFY(w.btnPrev()->isVisibleTo(&w));

    bool anyShown = true;
    QTimer::singleShot(0, &w, [&] {
        w.brwHTML()->setSource(QUrl::fromLocalFile(second));
        anyShown = w.btnPrev()->isVisible() || w.btnNext()->isVisible();
        w.brwHTML()->backward();
        anyShown = anyShown || w.btnPrev()->isVisible() || w.btnNext()->isVisible();
        QTest::mouseClick(w.btnClose(), Qt::LeftButton);
    });
    QCOMPARE(w.ShowHtmlPage(start, 0x800000, 0, 420, "&Ok", false, 0), 1);
    QVERIFY(!w.MitNavigation);
    QVERIFY(!anyShown);
}

void TextWindowTest::print_asksThePrintDialogFirst() {
    TempRoot root;
    const QString file = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("Glossar"));
    TfrmTXTAusgabeHTML w;
    QString dialogClass;
    QTimer::singleShot(0, &w, [&] {
        QTimer::singleShot(0, &w, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog != nullptr && dialog != &w) {
                dialogClass = dialog->metaObject()->className();
                static_cast<QDialog*>(dialog)->reject(); // cancelled: nothing is printed
            }
        });
        QTest::mouseClick(w.btnPrint(), Qt::LeftButton);
        QVERIFY(w.isVisible());
        QTest::mouseClick(w.btnClose(), Qt::LeftButton);
    });
    QCOMPARE(w.ShowHtmlPage(file, 0, 0x800000, -1, "B&eenden", false, 40000), 1);
    QVERIFY(dialogClass.contains("PrintDialog"));
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    TextWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "textwindow_test.moc"
