// The shared window look: the centred panel in its black window and the full-screen
// windows.
#include "ShellTestSupport.h"
#include "platform/ui/uTFormDefault.h"

class FormDefaultTest : public QObject {
    Q_OBJECT
private slots:
    void centredPanelSitsInTheMiddleWithItsFrameAround() {
        QWidget form;
        auto* frame = new QWidget(&form);
        auto* panel = new QWidget(&form);
        panel->resize(501, 41);
        panel->setAutoFillBackground(true);
        // Laid out twice, as windows do on each showing (the progress window's figures).
        LayOutCentredPanel(&form, panel, frame, QSize(1024, 768));
        LayOutCentredPanel(&form, panel, frame, QSize(1024, 768));
        QCOMPARE(frame->geometry(), QRect(257, 359, 511, 51));
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        // The window is black around its panel; the panel keeps its own colour.
        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::black));
        QVERIFY(shot.pixelColor(300, 380) != QColor(Qt::black));
        QDialog wide; // a window covering its screen in black
        QCOMPARE(CoverScreenInBlack(&wide), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(wide.grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    }
};

WENDRAK_UI_TEST_MAIN(FormDefaultTest)

#include "formdefault_test.moc"
