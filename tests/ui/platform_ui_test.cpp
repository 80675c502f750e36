// The window side of the platform layer: the error report, the gradient colours and the
// German standard buttons.
#include "platform/WendrakError.h"

#include "ShellTestSupport.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/GradientWidget.h"

class PlatformUiTest : public QObject {
    Q_OBJECT
private slots:
    void gradientColoursAreBlueGreenRed() {
        // Red at the start, navy at the end: a swapped byte order shows at either edge.
        GradientWidget w;
        w.resize(200, 10);
        w.setStartColor(0x0000FF);
        w.setEndColor(0x800000);
        const QImage img = w.grab().toImage();
        QCOMPARE(img.pixelColor(0, 5), QColor(255, 0, 0));
        QCOMPARE(img.pixelColor(199, 5), QColor(0, 0, 128));
    }

    void guardedShowsTheGermanMessageAndReportsFailure() {
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            box->accept();
        });
        const bool ok = platform::guarded(nullptr, [] {
            throw WendrakError(QStringLiteral("Die Datei \"x.ply\" ist zu kurz."));
        });
        QVERIFY(!ok);
        QCOMPARE(shown, QStringLiteral("Die Datei \"x.ply\" ist zu kurz."));
        QVERIFY(platform::guarded(nullptr, [] {}));
    }

    void standardButtonsSpeakGerman() {
        QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Cancel);
        QStringList texts;
        for (QAbstractButton* b : box.buttons())
            texts << b->text().remove('&');
        texts.sort();
        QCOMPARE(texts, QStringList({"Abbrechen", "Ja", "Nein"}));
    }
};

WENDRAK_UI_TEST_MAIN(PlatformUiTest)

#include "platform_ui_test.moc"
