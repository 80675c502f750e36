// The shared window look: help context, hidden help label, gradient colours on palette and
// true-colour screens, and the looks by widget kind.
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
        // window's colours; each gradient starts as $123456 to $654321 in 7 steps.
        const std::tuple<int, const char*, int, QList<int>> rows[] = {
            {16, "JvGradient1", 0, {0x800000, 0, 100}},
            {24, "JvGradient2_1", 0, {0, 0x800000, 100}},       // "_" runs the other way round
            {8, "JvGradient1", 0, {0, 0, 100}},                 // palette screen: plain black
            {8, "JvGradient2_1", 0, {0x800000, 0x800000, 100}}, // and plain navy
            {24, "JvGradient3", 100, {0x123456, 0x654321, 7}}}; // tag 100 keeps its own colours
        for (const auto& [depth, name, tag, expected] : rows) {
            shelltest::RecordingDesktop::install()->depth = depth;
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

    void helpContextIsTakenOnceAndItsLabelHidden() {
        // A context already set stays; the label named after the passed one hides.
        QWidget form;
        form.setProperty("helpContext", 20000);
        QLabel* labels[] = {new QLabel(&form), new QLabel(&form)};
        labels[0]->setObjectName(QStringLiteral("lblHelp50100"));
        labels[1]->setObjectName(QStringLiteral("lblHelp20000"));
        ApplyFormDefaults(0x004A00, 0x008000, &form, 50100);
        QCOMPARE(form.property("helpContext").toInt(), 20000);
        QVERIFY(labels[0]->isHidden() && !labels[1]->isHidden());
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
        auto* edit = new QLineEdit(&form);
        auto* list = new QListWidget(&form);
        auto* label = new QLabel(QStringLiteral("Titel"), &form);
        label->setFont(QFont(QStringLiteral("Courier"), 14));
        auto* combo = new QComboBox(&form);
        auto* browser = new QTextBrowser(&form);
        auto* dialogButton = new QPushButton(QStringLiteral("Ok"), new QDialog(&form));
        dialogButton->resize(80, 30);

        ApplyFormDefaults(0, 0x800000, &form, 0);

        for (QWidget* w : QList<QWidget*>{push, tool, edit, list, label})
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
        QCOMPARE(QList<int>({push->font().pointSize(), push->height(), tool->height(),
                             list->font().pointSize(), label->font().pointSize()}),
                 QList<int>({8, 24, 24, 8, 14}));
        QVERIFY(!tool->autoRaise());
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(list->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::black));
        const QColor qtBase = QTextBrowser().palette().color(QPalette::Base);
        QCOMPARE(combo->view()->palette().color(QPalette::Base), qtBase);
        QCOMPARE(browser->palette().color(QPalette::Base), qtBase);
        QCOMPARE(dialogButton->height(), 30);
    }
};

WENDRAK_UI_TEST_MAIN(FormDefaultTest)

#include "formdefault_test.moc"
