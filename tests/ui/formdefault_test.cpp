// The shared window look: gradient colours on palette and true-colour screens, and the
// full-screen windows.
#include "platform/WendrakError.h"

#include "ShellTestSupport.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/uTFormDefault.h"

class FormDefaultTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void gradientColoursFollowNameDepthAndTag() {
        // Depth, name, tag, and colours and steps after styling with ($800000, 0), the main
        // window's colours; each gradient is designed as $123456 to $654321 in 7 steps.
        const std::tuple<int, const char*, int, QList<int>> rows[] = {
            {16, "JvGradient1", 0, {0x800000, 0, 100}},
            {24, "JvGradient2_1", 0, {0, 0x800000, 100}},       // "_" runs the other way round
            {8, "JvGradient1", 0, {0, 0, 100}},                 // palette screen: plain black
            {8, "JvGradient2_1", 0, {0x800000, 0x800000, 100}}, // and plain navy
            {24, "JvGradient3", 100, {0x123456, 0x654321, 7}}}; // tag 100 keeps its design
        struct FixedDepthDesktop : platform::Desktop {
            explicit FixedDepthDesktop(int bits) : bits(bits) {}
            int colorDepth() override { return bits; }
            int bits;
        };
        for (const auto& [depth, name, tag, expected] : rows) {
            platform::Desktop::setInstance(std::make_unique<FixedDepthDesktop>(depth));
            QWidget form;
            auto* g = new GradientWidget(new QWidget(&form)); // inside a panel, as on most windows
            g->setObjectName(name);
            g->setTag(tag);
            g->setSteps(7);
            g->setStartColor(0x123456);
            g->setEndColor(0x654321);
            ApplyFormDefaults(0x800000, 0, &form, 11000);
            QCOMPARE(QList<int>({g->startColor(), g->endColor(), g->steps()}), expected);
        }
    }

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
