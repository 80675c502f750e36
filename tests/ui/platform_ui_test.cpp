// The window side of the platform layer: the German standard buttons.
#include "ShellTestSupport.h"

class PlatformUiTest : public QObject {
    Q_OBJECT
private slots:
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
