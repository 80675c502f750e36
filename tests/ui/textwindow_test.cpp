// The text window: which file ShowHtmlPage shows, what it returns, the panel height and
// closing button it sets, the help context, and the history buttons with navigation on
// and off.
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
    return ("<html><head><meta charset=\"utf-8\"></head><body><h1>" + title + "</h1>" + body +
            "</body></html>")
        .toUtf8();
}

QString fileShown(TfrmTXTAusgabeHTML& w) {
    return QFileInfo(w.brwHTML()->source().toLocalFile()).fileName();
}

// Runs look once the window shows modally, then closes it with its closing button.
void whileShown(TfrmTXTAusgabeHTML& w, const std::function<void()>& look) {
    QTimer::singleShot(0, &w, [&w, look] {
        look();
        QTest::mouseClick(w.btnClose(), Qt::LeftButton);
    });
}

} // namespace

class TextWindowTest : public QObject {
    Q_OBJECT
private slots:
    void thePageIsLookedForAsLanguageVariantFirst() {
        // Files in the folder, page asked for, page found.
        // clang-format off
        const char* const rows[][3] = {
            {"DE_Start.html", "Start.html", "DE_Start.html"},
            {"Start.html", "Start.html", "Start.html"},
            {"Start.html|DE_Start.html", "Start.html", "DE_Start.html"},
            {"DE_Dravolenz.html|DE_DE_Dravolenz.html", "DE_Dravolenz.html", "DE_DE_Dravolenz.html"},
            {"DE_Info.html", "DE_Info.html", "DE_Info.html"},      // a DE_ name falls back to itself
            {"de_glossar.HTML", "Glossar.html", "de_glossar.HTML"}, // letter case ignored
            {"DE_Seite.html", "Seite.htm", "DE_Seite.html"},        // any extension becomes .HTML
            {"DE_Verhalten-ä.html", "DE_Verhalten-ä.html", "DE_Verhalten-ä.html"},
            {"texte/Inhalt.html", "texte\\Inhalt.html", "Inhalt.html"},
            {"Anderes.html", "Fehlt.html", ""}};
        // clang-format on
        for (const auto& [files, asked, found] : rows) {
            TempRoot root;
            for (const QString& f : QString::fromUtf8(files).split('|'))
                root.write("Wendrak/Texte/" + f, page(f));
            const QString path = root.programFolder() + "Texte/" + QString::fromUtf8(asked);
            QCOMPARE(QFileInfo(TfrmTXTAusgabeHTML::FindPageCandidate(path)).fileName(),
                     QString::fromUtf8(found));
        }
    }

    void showHtmlPageShowsTheVariantWithPanelHeightCaptionAndNavigationBarOrReturns2() {
        TempRoot root;
        const QString file = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("Glossar"));
        root.write("Wendrak/Texte/DE_Glossar_Dravolenz.html", page("Glossar"));
        TfrmTXTAusgabeHTML w;
        w.pnlNavigate()->setVisible(false);
        w.btnClose()->setText("vorher");
        // Without any candidate, in an existing folder or none, nothing shows or changes.
        for (const QString& missing :
             {root.programFolder() + "Texte/Fehlt.html", QString("/gibt/es/nicht/Seite.html")})
            QCOMPARE(w.ShowHtmlPage(missing, 0, 0, -1, "&Ok", true, 0), 2);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.btnClose()->text(), QString("vorher"));
        QVERIFY(!w.MitNavigation);
        QVERIFY(!w.pnlNavigate()->isVisibleTo(&w));
        // Height asked, height shown, caption.
        const std::tuple<int, int, const char*> rows[] = {
            {-1, 550, "B&eenden"}, {420, 420, "&Ok"}, {560, 560, "&Ok"}};
        for (const auto& [asked, expected, closing] : rows) {
            int height = 0;
            QString shown, caption;
            bool navigationBar = false;
            whileShown(w, [&] {
                shown = w.isVisible() ? fileShown(w) : QString();
                height = w.pnlMain()->height();
                caption = w.btnClose()->text();
                navigationBar = w.pnlNavigate()->isVisible();
            });
            QCOMPARE(w.ShowHtmlPage(file, 0xE7, 0x80, asked, closing, false, 40000), 1);
            QCOMPARE(shown, QString("DE_Glossar_Dravolenz.html"));
            QCOMPARE(height, expected);
            QCOMPARE(caption, QString(closing));
            QVERIFY(navigationBar);
        }
        // The page panel stays centred in the window, framed 5 pixels on each side.
        const QRect panel = w.pnlMain()->geometry();
        QCOMPARE(w.pnlRahmen()->geometry(), panel.adjusted(-5, -5, 5, 5));
        QVERIFY(qAbs(panel.center().x() - w.width() / 2) <= 1);
    }

    void eachPageKeepsItsOwnHelpContextWhileShown() {
        TempRoot root;
        const QString welcome = root.write("Wendrak/Texte/DE_SoftwareWillkommen.html", page("W"));
        const QString glossary = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("G"));
        TfrmTXTAusgabeHTML w;
        int context = -1;
        auto contextWhileShown = [&](const QString& file, int colour, int passed) {
            whileShown(w, [&] { context = w.property("helpContext").toInt(); });
            w.ShowHtmlPage(file, colour, 0, -1, "&Ok", false, passed);
            return context;
        };
        // The welcome page: styled by its command with 50200, then by ShowHtmlPage with 50200.
        ApplyFormDefaults(0x800000, 0, &w, 50200);
        QCOMPARE(contextWhileShown(welcome, 0x800000, 50200), 50200);
        // The glossary afterwards opens its own topic, not the welcome page's.
        QCOMPARE(contextWhileShown(glossary, 0x0000E7, 40000), 40000);
        // The challenge page: its command's 50200 holds, ShowHtmlPage passes 0.
        ApplyFormDefaults(0, 0x800000, &w, 50200);
        QCOMPARE(contextWhileShown(welcome, 0, 0), 50200);
    }

    void historyButtonsFollowTheHistoryOnlyWithNavigationOn() {
        TempRoot root;
        const QString index = root.write("Wendrak/Texte/texte/Inhaltsverzeichnis.html",
                                         page("Inhalt", "<a href=\"Kapitel.html\">Kapitel</a>"));
        const QString chapter = root.write("Wendrak/Texte/texte/Kapitel.html", page("Kapitel"));
        TfrmTXTAusgabeHTML w;
        auto buttons = [&] {
            return QString("%1%2").arg(w.btnPrev()->isVisible()).arg(w.btnNext()->isVisible());
        };
        // With navigation: none at the start, back after a link, forward after going back.
        QStringList seen;
        whileShown(w, [&] {
            seen << buttons();
            w.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
            seen << buttons();
            QTest::mouseClick(w.btnPrev(), Qt::LeftButton);
            seen << fileShown(w) << buttons();
        });
        QCOMPARE(w.ShowHtmlPage(index, 0x0000E7, 0x000080, -1, "B&eenden", true, 40100), 1);
        QVERIFY(w.MitNavigation);
        QCOMPARE(seen, (QStringList{"00", "10", "Inhaltsverzeichnis.html", "01"}));

        // Without navigation, on the same window, following links and going back shows none.
        seen.clear();
        whileShown(w, [&] {
            w.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
            seen << buttons();
            w.brwHTML()->backward();
            seen << buttons();
        });
        QCOMPARE(w.ShowHtmlPage(index, 0x800000, 0, 420, "&Ok", false, 0), 1);
        QVERIFY(!w.MitNavigation);
        QCOMPARE(seen, (QStringList{"00", "00"}));
    }

    void printAsksThePrintDialogFirst() {
        TempRoot root;
        const QString file = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page("Glossar"));
        TfrmTXTAusgabeHTML w;
        QString dialogClass;
        whileShown(w, [&] {
            QTimer::singleShot(0, &w, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                if (dialog != nullptr && dialog != &w) {
                    dialogClass = dialog->metaObject()->className();
                    static_cast<QDialog*>(dialog)->reject(); // cancelled: nothing is printed
                }
            });
            QTest::mouseClick(w.btnPrint(), Qt::LeftButton);
            QVERIFY(w.isVisible());
        });
        QCOMPARE(w.ShowHtmlPage(file, 0, 0x800000, -1, "B&eenden", false, 40000), 1);
        QVERIFY(dialogClass.contains("PrintDialog"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    TextWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "textwindow_test.moc"
