// The progress window: placement on the screen, the cancel flag and its clearing on each
// showing, and repainting only when the gauge moves.
#include "engine/ui/uTFormDefault.h"
#include "engine/ui/uWarten.h"
#include "platform/ui/Application.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/GradientWidget.h"

#include <QApplication>
#include <QFrame>
#include <QPaintEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

struct FixedDepthDesktop : platform::Desktop {
    explicit FixedDepthDesktop(int bits) : bits(bits) {}
    int colorDepth() override { return bits; }
    int bits;
};

} // namespace

class ProgressTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void theWindowIsTheOneInstanceAndHasItsTexts()
    {
        TForm10 window;
        QCOMPARE(Form10, &window);
        QCOMPARE(window.objectName(), QStringLiteral("Form10"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Wendrak wird berechnet, bitte warten."));
        QCOMPARE(window.btnCancel()->text(), QStringLiteral("A&bbruch"));
        QCOMPARE(window.Gauge1()->maximum(), 100);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    }

    void panelsAreCentredOnA1024By768Screen()
    {
        TForm10 window;
        window.layOutFor(QSize(1024, 768));
        QCOMPARE(window.geometry(), QRect(0, 0, 1024, 768));
        QCOMPARE(window.pnlWarten()->geometry(), QRect(262, 364, 501, 41));
        QCOMPARE(window.pnlRahmen()->geometry(), QRect(257, 359, 511, 51));
    }

    void cancelSetsTheFlagOnceAndEachShowingClearsIt()
    {
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

    void theGaugeRepaintsOnlyWhenItsValueChanges()
    {
        TForm10 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintCounter counter;
        window.Gauge1()->installEventFilter(&counter);
        // Four pairings of nine games: the gauge shows 0, 25, 50 and 75.
        for (int pairing = 0; pairing < 4; ++pairing)
            for (int game = 0; game < 9; ++game) {
                window.setGaugeValue(pairing * 100 / 4);
                window.processEventsAndCheckAbbruch();
            }
        QCOMPARE(window.gaugeValue(), 75);
        QVERIFY(counter.count >= 3);
        QVERIFY(counter.count <= 4);
    }

    void theRunsLookMakesTheFrameBlackToNavy()
    {
        platform::Desktop::setInstance(std::make_unique<FixedDepthDesktop>(24));
        TForm10 window;
        ApplyFormDefaults(0, 0x800000, &window, 30100);
        QCOMPARE(window.property("helpContext").toInt(), 30100);
        QCOMPARE(window.JvGradient1()->startColor(), 0);
        QCOMPARE(window.JvGradient1()->endColor(), 0x800000);
        QCOMPARE(window.btnCancel()->height(), 24);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    ProgressTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "progress_test.moc"
