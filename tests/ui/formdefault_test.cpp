// The shared window look: help context, hidden help label, gradient colours on palette and
// true-colour screens, and the looks by widget kind.
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
#include <QListView>
#include <QListWidget>
#include <QPushButton>
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

void useDepth(int bits)
{
    platform::Desktop::setInstance(std::make_unique<FixedDepthDesktop>(bits));
}

GradientWidget* gradient(QWidget* parent, const QString& name)
{
    auto* g = new GradientWidget(parent);
    g->setObjectName(name);
    g->setSteps(7);
    return g;
}

const QColor silver(0xC0, 0xC0, 0xC0);

} // namespace

class FormDefaultTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Desktop::setInstance(nullptr); }

    void gradientColoursFollowNameAndDepth_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        // Styled with ($800000, 0), the main window's colours.
        QTest::newRow("true colour, plain name") << 24 << "JvGradient1" << 0x800000 << 0;
        QTest::newRow("true colour, underscore") << 24 << "JvGradient2_1" << 0 << 0x800000;
        QTest::newRow("palette, plain name is black") << 8 << "JvGradient1" << 0 << 0;
        QTest::newRow("palette, underscore is navy") << 8 << "JvGradient2_1" << 0x800000
                                                     << 0x800000;
        QTest::newRow("16 bits draws gradients") << 16 << "JvGradient1" << 0x800000 << 0;
    }
    void gradientColoursFollowNameAndDepth()
    {
        QFETCH(int, depth);
        QFETCH(QString, name);
        QFETCH(int, start);
        QFETCH(int, end);
        useDepth(depth);
        QWidget form;
        GradientWidget* g = gradient(&form, name);
        ApplyFormDefaults(0x800000, 0, &form, 11000);
        QCOMPARE(g->startColor(), start);
        QCOMPARE(g->endColor(), end);
        QCOMPARE(g->steps(), 100);
    }

    void gradientWithTag100KeepsItsDesign()
    {
        useDepth(24);
        QWidget form;
        GradientWidget* g = gradient(&form, QStringLiteral("JvGradient3"));
        g->setTag(100);
        g->setStartColor(0x123456);
        g->setEndColor(0x654321);
        ApplyFormDefaults(0, 0x800000, &form, 0);
        QCOMPARE(g->startColor(), 0x123456);
        QCOMPARE(g->endColor(), 0x654321);
        QCOMPARE(g->steps(), 7);
    }

    void gradientsInsidePanelsAreStyledToo()
    {
        useDepth(24);
        QWidget form;
        auto* panel = new QWidget(&form);
        GradientWidget* g = gradient(panel, QStringLiteral("JvGradient1"));
        ApplyFormDefaults(0, 0x800000, &form, 30100);
        QCOMPARE(g->startColor(), 0);
        QCOMPARE(g->endColor(), 0x800000);
    }

    void anExistingHelpContextIsKeptButTheNewLabelIsHidden()
    {
        useDepth(24);
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
    }

    void aWindowWithoutContextTakesTheGivenOne()
    {
        useDepth(24);
        QWidget form;
        ApplyFormDefaults(0, 0x800000, &form, 31100);
        QCOMPARE(form.property("helpContext").toInt(), 31100);
    }

    void aHelpNameOnSomethingElseThanALabelIsAnError()
    {
        useDepth(24);
        QWidget form;
        auto* edit = new QLineEdit(&form);
        edit->setObjectName(QStringLiteral("lblHelp20500"));
        QVERIFY_THROWS_EXCEPTION(WendrakError, ApplyFormDefaults(0, 0, &form, 20500));
    }

    void widgetKindsGetTheirLook()
    {
        useDepth(24);
        QWidget form;
        auto* push = new QPushButton(QStringLiteral("Ok"), &form);
        auto* tool = new QToolButton(&form);
        tool->setAutoRaise(true);
        auto* edit = new QLineEdit(&form);
        auto* memo = new QTextEdit(&form);
        auto* tree = new QTreeWidget(&form);
        auto* list = new QListWidget(&form);
        auto* table = new QTableWidget(&form);
        auto* label = new QLabel(QStringLiteral("Titel"), &form);
        QFont big = label->font();
        big.setFamily(QStringLiteral("Courier"));
        big.setPointSize(14);
        label->setFont(big);

        ApplyFormDefaults(0, 0x800000, &form, 0);

        for (QWidget* w : QList<QWidget*>{push, tool}) {
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
            QCOMPARE(w->font().pointSize(), 8);
            QCOMPARE(w->height(), 24);
        }
        QVERIFY(!tool->autoRaise());
        for (QWidget* w : QList<QWidget*>{edit, memo, tree, list, table}) {
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
            QCOMPARE(w->font().pointSize(), 8);
            QCOMPARE(w->palette().color(QPalette::Base), silver);
        }
        QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(table->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(label->font().pointSize(), 14);
    }

    void partsOfComposedWidgetsBrowsersAndChildDialogsKeepTheirLook()
    {
        useDepth(24);
        QWidget form;
        auto* combo = new QComboBox(&form);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        auto* browser = new QTextBrowser(&form);
        const QColor comboListBase = combo->view()->palette().color(QPalette::Base);
        const QColor browserBase = browser->palette().color(QPalette::Base);
        auto* dialog = new QDialog(&form);
        auto* dialogButton = new QPushButton(QStringLiteral("Ok"), dialog);
        dialogButton->resize(80, 30);
        ApplyFormDefaults(0, 0x800000, &form, 0);
        QCOMPARE(combo->view()->palette().color(QPalette::Base), comboListBase);
        QCOMPARE(browser->palette().color(QPalette::Base), browserBase);
        QCOMPARE(dialogButton->height(), 30);
    }

    void centredPanelSitsInTheMiddleWithItsFrameAround()
    {
        QWidget form;
        auto* frame = new QWidget(&form);
        auto* panel = new QWidget(&form);
        panel->resize(501, 41);
        panel->setAutoFillBackground(true);
        LayOutCentredPanel(&form, panel, frame, QSize(1024, 768));
        LayOutCentredPanel(&form, panel, frame, QSize(1024, 768));
        QCOMPARE(form.geometry(), QRect(0, 0, 1024, 768));
        QCOMPARE(panel->pos(), QPoint(262, 364));
        QCOMPARE(frame->geometry(), QRect(257, 359, 511, 51));
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        // The window is black around its panel; the panel keeps its own colour.
        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(300, 380), panel->palette().color(QPalette::Window));
        QVERIFY(panel->palette().color(QPalette::Window) != QColor(Qt::black));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    platform::setUpApplication(app);
    FormDefaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "formdefault_test.moc"
