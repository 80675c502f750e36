// The window side of the platform layer: the error report and the German standard
// buttons.
#include "platform/WendrakError.h"

#include "ShellTestSupport.h"
#include "platform/ui/ErrorReport.h"

class PlatformUiTest : public QObject {
    Q_OBJECT
private slots:
    void guardedShowsTheGermanMessageAndReportsFailure() {
        const auto shown = shelltest::acceptNextMessage();
        QVERIFY(!platform::guarded(nullptr, [] {
            throw WendrakError(QStringLiteral("Die Datei \"x.ply\" ist zu kurz."));
        }));
        QCOMPARE(*shown, QStringLiteral("Die Datei \"x.ply\" ist zu kurz."));
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
