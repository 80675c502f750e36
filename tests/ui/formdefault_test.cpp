// The shared window look: help context, hidden help label, gradient colours on palette and
// true-colour screens, the looks by widget kind, and the full-screen windows.
#include "engine/ui/uTFormDefault.h"
#include "platform/WendrakError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/GradientWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct FixedDepthDesktop : platform::Desktop {
    explicit FixedDepthDesktop(int bits) : bits(bits) {}
    int colorDepth() override { return bits; }
    int bits;
};

void useDepth(int bits) {
    platform::Desktop::setInstance(std::make_unique<FixedDepthDesktop>(bits));
}

} // namespace

class FormDefaultTest : public QObject {
    Q_OBJECT
private slots:
    void init() { useDepth(24); }
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void gradientColoursFollowNameDepthAndTag() {
        const struct {
            int depth;
            const char* name;
            int tag, start, end, steps;
        } rows[] = {
            // Styled with ($800000, 0), the main window's colours; designed as $123456 to $654321.
            {24, "JvGradient1", 0, 0x800000, 0, 100},
            {24, "JvGradient2_1", 0, 0, 0x800000, 100},       // "_" runs the other way round
            {8, "JvGradient1", 0, 0, 0, 100},                 // palette screen: plain black
            {8, "JvGradient2_1", 0, 0x800000, 0x800000, 100}, // and plain navy
            {16, "JvGradient1", 0, 0x800000, 0, 100},
            {24, "JvGradient3", 100, 0x123456, 0x654321, 7}}; // tag 100 keeps its design
        for (const auto& row : rows) {
            useDepth(row.depth);
            QWidget form;
            auto* g = new GradientWidget(new QWidget(&form)); // inside a panel, as on most windows
            g->setObjectName(row.name);
            g->setTag(row.tag);
            g->setSteps(7);
            g->setStartColor(0x123456);
            g->setEndColor(0x654321);
            ApplyFormDefaults(0x800000, 0, &form, 11000);
            QCOMPARE(QList<int>({g->startColor(), g->endColor(), g->steps()}),
                     QList<int>({row.start, row.end, row.steps}));
        }
    }

    void helpContextIsTakenOnceAndItsLabelHidden() {
        QWidget fresh;
        ApplyFormDefaults(0, 0x800000, &fresh, 31100);
        QCOMPARE(fresh.property("helpContext").toInt(), 31100);

        QWidget form;
        form.setProperty("helpContext", 20000);
        auto* label = new QLabel(QStringLiteral("Hilfe"), &form);
        label->setObjectName(QStringLiteral("lblHelp50100"));
        auto* other = new QLabel(QStringLiteral("Hilfe"), &form);
        other->setObjectName(QStringLiteral("lblHelp20000"));
        form.show();
        ApplyFormDefaults(0x004A00, 0x008000, &form, 50100);
        QCOMPARE(form.property("helpContext").toInt(), 20000);
        QVERIFY(label->isHidden());
        QVERIFY(!other->isHidden());

        // The help name on something else than a label is an error.
        QWidget wrong;
        (new QLineEdit(&wrong))->setObjectName(QStringLiteral("lblHelp20500"));
        QVERIFY_THROWS_EXCEPTION(WendrakError, ApplyFormDefaults(0, 0, &wrong, 20500));
    }

    void widgetKindsGetTheirLookButComposedPartsBrowsersAndDialogsKeepTheirs() {
        QWidget form;
        auto* push = new QPushButton(QStringLiteral("Ok"), &form);
        auto* tool = new QToolButton(&form);
        tool->setAutoRaise(true);
        auto* list = new QListWidget(&form);
        auto* table = new QTableWidget(&form);
        const QList<QWidget*> fields = {new QLineEdit(&form), new QTextEdit(&form),
                                        new QTreeWidget(&form), list, table};
        auto* label = new QLabel(QStringLiteral("Titel"), &form);
        label->setFont(QFont(QStringLiteral("Courier"), 14));
        auto* combo = new QComboBox(&form);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        auto* browser = new QTextBrowser(&form);
        const QColor comboListBase = combo->view()->palette().color(QPalette::Base);
        const QColor browserBase = browser->palette().color(QPalette::Base);
        auto* dialogButton = new QPushButton(QStringLiteral("Ok"), new QDialog(&form));
        dialogButton->resize(80, 30);

        ApplyFormDefaults(0, 0x800000, &form, 0);

        for (QWidget* w : fields + QList<QWidget*>{push, tool}) {
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
            QCOMPARE(w->font().pointSize(), 8);
        }
        QCOMPARE(push->height(), 24);
        QCOMPARE(tool->height(), 24);
        QVERIFY(!tool->autoRaise());
        for (QWidget* w : fields)
            QCOMPARE(w->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(table->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(label->font().pointSize(), 14);
        QCOMPARE(combo->view()->palette().color(QPalette::Base), comboListBase);
        QCOMPARE(browser->palette().color(QPalette::Base), browserBase);
        QCOMPARE(dialogButton->height(), 30);
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
        QCOMPARE(shot.pixelColor(300, 380), panel->palette().color(QPalette::Window));
        QVERIFY(panel->palette().color(QPalette::Window) != QColor(Qt::black));

        // A window covering its screen in black.
        QDialog wide;
        QCOMPARE(CoverScreenInBlack(&wide), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(wide.grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    FormDefaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "formdefault_test.moc"
