// The progress window: the cancel flag and its clearing on each showing, and repainting
// only when the gauge moves.
#include "engine/ui/uWarten.h"

#include "ShellTestSupport.h"

class ProgressTest : public QObject {
    Q_OBJECT
private slots:
    void cancelSetsTheFlagOnceAndEachShowingClearsIt() {
        TForm10 window;
        window.show();
        // Several clicks between two games still make one request.
        QTest::mouseClick(window.btnCancel(), Qt::LeftButton);
        QTest::mouseClick(window.btnCancel(), Qt::LeftButton);
        QVERIFY(window.processEventsAndCheckAbbruch());
        // The run answers No: the flag is cleared and stays so until the next click.
        window.reset();
        QVERIFY(!window.processEventsAndCheckAbbruch());
        QTest::mouseClick(window.btnCancel(), Qt::LeftButton);
        window.hide();
        window.show();
        QVERIFY(!window.Abbruch);
    }

    void theGaugeRepaintsOnlyWhenItsValueChanges() {
        TForm10 window;
        QVERIFY(shelltest::showExposed(&window));
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        window.Gauge1()->installEventFilter(&counter);
        // Four pairings of nine games: the gauge shows 0, 25, 50 and 75.
        for (int pairing = 0; pairing < 4; ++pairing)
            for (int game = 0; game < 9; ++game) {
                window.setGaugeValue(pairing * 100 / 4);
                window.processEventsAndCheckAbbruch();
            }
        QCOMPARE(window.gaugeValue(), 75);
        QVERIFY(counter.paints >= 3 && counter.paints <= 4);
    }
};

WENDRAK_UI_TEST_MAIN(ProgressTest)

#include "progress_test.moc"
