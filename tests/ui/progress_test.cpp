// The progress window: texts, look and placement on the screen, the cancel flag and its
// clearing on each showing, and repainting only when the gauge moves.
#include "engine/ui/uTFormDefault.h"
#include "engine/ui/uWarten.h"
#include "platform/ui/Application.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/GradientWidget.h"

#include <QApplication>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

struct TrueColourDesktop : platform::Desktop {
    int colorDepth() override { return 24; }
};

} // namespace

class ProgressTest : public QObject {
    Q_OBJECT
private slots:
    void theOneWindowWithItsTextsLookAndCentredPanels() {
        platform::Desktop::setInstance(std::make_unique<TrueColourDesktop>());
        TForm10 window;
        QCOMPARE(Form10, &window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Wendrak wird berechnet, bitte warten."));
        QCOMPARE(window.btnCancel()->text(), QStringLiteral("A&bbruch"));
        QCOMPARE(window.Gauge1()->maximum(), 100);
        window.layOutFor(QSize(1024, 768));
        QCOMPARE(window.geometry(), QRect(0, 0, 1024, 768));
        QCOMPARE(window.pnlWarten()->geometry(), QRect(262, 364, 501, 41));
        QCOMPARE(window.pnlRahmen()->geometry(), QRect(257, 359, 511, 51));
        // The run's look: the frame runs from black to navy.
        ApplyFormDefaults(0, 0x800000, &window, 30100);
        QCOMPARE(window.property("helpContext").toInt(), 30100);
        QCOMPARE(window.JvGradient1()->startColor(), 0);
        QCOMPARE(window.JvGradient1()->endColor(), 0x800000);
        platform::Desktop::setInstance(nullptr);
    }

    void cancelSetsTheFlagOnceAndEachShowingClearsIt() {
        TForm10 window;
        window.show();
        QVERIFY(!window.Abbruch);
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
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int paints = 0;
        struct PaintCounter : QObject {
            int* count;
            explicit PaintCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override {
                *count += event->type() == QEvent::Paint;
                return false;
            }
        } counter(&paints);
        window.Gauge1()->installEventFilter(&counter);
        // Four pairings of nine games: the gauge shows 0, 25, 50 and 75.
        for (int pairing = 0; pairing < 4; ++pairing)
            for (int game = 0; game < 9; ++game) {
                window.setGaugeValue(pairing * 100 / 4);
                window.processEventsAndCheckAbbruch();
            }
        QCOMPARE(window.gaugeValue(), 75);
        QVERIFY(paints >= 3 && paints <= 4);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    ProgressTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "progress_test.moc"
