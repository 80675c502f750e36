// The text window: which file ShowHtmlPage shows, what it returns, the panel height,
// closing button and help context it sets, and the history buttons with navigation on
// and off.
#include "shell/ui/ufrmTXTAusgabeHTML.h"

#include "ShellTestSupport.h"

#include "platform/ui/uTFormDefault.h"

namespace {

// Every test page links to the chapter page.
const QByteArray page = "<html><body><a href=\"Kapitel.html\">Kapitel</a></body></html>";

} // namespace

class TextWindowTest : public QObject {
    Q_OBJECT
private slots:
    void thePageIsLookedForAsLanguageVariantFirst() {
        // Files in the folder, page asked for, page found.
        // clang-format off
        const char* const rows[][3] = {
            {"Start.html", "Start.html", "Start.html"},
            {"Start.html|DE_Start.html", "Start.html", "DE_Start.html"},
            {"DE_Dravolenz.html|DE_DE_Dravolenz.html", "DE_Dravolenz.html", "DE_DE_Dravolenz.html"},
            {"de_glossar.HTML", "Glossar.html", "de_glossar.HTML"}, // letter case ignored
            {"DE_Seite.html", "Seite.htm", "DE_Seite.html"},        // any extension becomes .HTML
            {"DE_Verhalten-ä.html", "DE_Verhalten-ä.html", "DE_Verhalten-ä.html"},
            {"texte/Inhalt.html", "texte\\Inhalt.html", "Inhalt.html"},
            {"Anderes.html", "Fehlt.html", ""}};
        // clang-format on
        for (const auto& [files, asked, found] : rows) {
            TempRoot root;
            for (const QString& f : QString::fromUtf8(files).split('|'))
                root.write("Wendrak/Texte/" + f, page);
            const QString path = root.programFolder() + "Texte/" + QString::fromUtf8(asked);
            QCOMPARE(QFileInfo(TfrmTXTAusgabeHTML::FindPageCandidate(path)).fileName(),
                     QString::fromUtf8(found));
        }
    }

    void showHtmlPageShowsTheVariantWithHeightCaptionBarAndHelpContextOrReturns2() {
        TempRoot root;
        const QString file = root.write("Wendrak/Texte/Glossar_Dravolenz.html", page);
        root.write("Wendrak/Texte/DE_Glossar_Dravolenz.html", page);
        TfrmTXTAusgabeHTML w;
        w.pnlNavigate()->setVisible(false);
        w.btnClose()->setText("vorher");
        // Without any candidate, in an existing folder or none, nothing shows or changes.
        for (const QString& missing :
             {root.programFolder() + "Texte/Fehlt.html", QString("/gibt/es/nicht/Seite.html")})
            QCOMPARE(w.ShowHtmlPage(missing, 0, 0, -1, "&Ok", true, 0), 2);
        QVERIFY(!w.isVisible() && !w.MitNavigation && !w.pnlNavigate()->isVisibleTo(&w));
        QCOMPARE(w.btnClose()->text(), QString("vorher"));
        // Height asked and shown, caption; and the help context: one passed is taken, and
        // a context its command gave the window holds when ShowHtmlPage passes 0 (the
        // challenge page), but only until the page before has closed.
        const std::tuple<int, int, const char*, int, int> rows[] = {{-1, 550, "B&eenden", 0, 40000},
                                                                    {420, 420, "&Ok", 50200, 0}};
        for (const auto& [asked, height, closing, command, passed] : rows) {
            if (command != 0)
                ApplyFormDefaults(0, 0x800000, &w, command);
            QStringList seen;
            shelltest::whenModalOf<TfrmTXTAusgabeHTML>([&](auto*) {
                seen << w.brwHTML()->source().fileName() << QString::number(w.pnlMain()->height())
                     << w.btnClose()->text() << (w.pnlNavigate()->isVisible() ? "bar" : "no bar")
                     << w.property("helpContext").toString();
                QTest::mouseClick(w.btnClose(), Qt::LeftButton);
            });
            QCOMPARE(w.ShowHtmlPage(file, 0xE7, 0x80, asked, closing, false, passed), 1);
            QCOMPARE(seen, (QStringList{"DE_Glossar_Dravolenz.html", QString::number(height),
                                        closing, "bar", QString::number(command + passed)}));
        }
    }

    void historyButtonsShowOnlyWithNavigationOn() {
        TempRoot root;
        const QString index = root.write("Wendrak/Texte/texte/Inhaltsverzeichnis.html", page);
        const QString chapter = root.write("Wendrak/Texte/texte/Kapitel.html", page);
        TfrmTXTAusgabeHTML w;
        auto buttons = [&] {
            return QString("%1%2").arg(w.btnPrev()->isVisible()).arg(w.btnNext()->isVisible());
        };
        // Navigation, then the buttons on opening, after a link and after going back; the
        // second row on the same window, whose page before had followed a link.
        const std::tuple<bool, const char*> rows[] = {{true, "00 10 01"}, {false, "00 00 00"}};
        for (const auto& [navigation, expected] : rows) {
            QStringList seen;
            shelltest::whenModalOf<TfrmTXTAusgabeHTML>([&](auto*) {
                seen << buttons();
                w.brwHTML()->setSource(QUrl::fromLocalFile(chapter));
                seen << buttons();
                w.btnPrev()->click();
                seen << buttons();
                QTest::mouseClick(w.btnClose(), Qt::LeftButton);
            });
            QCOMPARE(w.ShowHtmlPage(index, 0xE7, 0x80, -1, "B&eenden", navigation, 0), 1);
            QCOMPARE(seen.join(' '), QString(expected));
        }
    }
};

WENDRAK_UI_TEST_MAIN(TextWindowTest)

#include "textwindow_test.moc"
