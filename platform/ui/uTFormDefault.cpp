// The common window look (see uTFormDefault.h). Each kind of control of the forms maps onto
// one of Qt's widget kinds: speed buttons are tool buttons, bitmap buttons push buttons, edits and
// memos line and text edits, tree views tree views; list boxes and report lists are the list and
// table views.
#include "platform/ui/uTFormDefault.h"

#include "platform/Colours.h"

#include "platform/WendrakError.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/GradientWidget.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QWidget>

namespace {

const int plainGradientTag = 100;

void setArial8(QWidget* widget) {
    QFont font = widget->font();
    font.setFamily(QStringLiteral("Arial"));
    font.setPointSize(8);
    widget->setFont(font);
}

void setFieldColour(QWidget* widget, bool blackText) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, GradientWidget::fromBgr(colours::clSilver));
    if (blackText)
        palette.setColor(QPalette::Text, GradientWidget::fromBgr(colours::clBlack));
    widget->setPalette(palette);
}

void styleGradient(GradientWidget* gradient, int color1, int color2, int depth) {
    if (gradient->tag() == plainGradientTag)
        return;
    gradient->setSteps(100);
    // A gradient whose name holds "_" runs the other way round; on a palette screen
    // both ends get the same colour, so the background is plain.
    if (gradient->objectName().contains(QLatin1Char('_'))) {
        gradient->setStartColor(depth > 8 ? color2 : color1);
        gradient->setEndColor(color1);
    } else {
        gradient->setStartColor(depth > 8 ? color1 : color2);
        gradient->setEndColor(color2);
    }
}

// Qt builds some widgets out of others (the line edit of a spin box, the list of a combo
// box, the scroll buttons of a tab bar, an item view's editors). These inner parts are no
// controls of the form, so they keep Qt's look. Dialogs opened on top of the window are windows of
// their own and get their own look.
bool isForeign(const QWidget* widget, const QWidget* form) {
    if (widget->isWindow())
        return true;
    for (const QWidget* p = widget->parentWidget(); p != nullptr && p != form;
         p = p->parentWidget()) {
        if (p->isWindow() || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QTabBar*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    }
    return false;
}

void styleWidget(QWidget* widget, int color1, int color2, int depth) {
    if (auto* gradient = qobject_cast<GradientWidget*>(widget))
        styleGradient(gradient, color1, color2, depth);

    if (auto* tool = qobject_cast<QToolButton*>(widget)) {
        setArial8(tool);
        tool->setFixedHeight(24);
        tool->setAutoRaise(false);
    }
    if (auto* push = qobject_cast<QPushButton*>(widget)) {
        setArial8(push);
        push->setFixedHeight(24);
    }
    // A text browser stands where the embedded web browser stood, which kept its own look.
    const bool browser = qobject_cast<QTextBrowser*>(widget) != nullptr;
    if (qobject_cast<QLineEdit*>(widget) || (qobject_cast<QTextEdit*>(widget) && !browser) ||
        qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTreeView*>(widget)) {
        setArial8(widget);
        setFieldColour(widget, false);
    }
    if (qobject_cast<QListView*>(widget) || qobject_cast<QTableView*>(widget)) {
        setArial8(widget);
        setFieldColour(widget, true);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QFont font = label->font();
        font.setFamily(QStringLiteral("Arial"));
        label->setFont(font);
    }
}

// Paints a window black without giving it a black palette, which its panels and labels
// would inherit.
class BlackBackground : public QObject {
public:
    explicit BlackBackground(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("blackBackground"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = static_cast<QWidget*>(watched);
            QPainter painter(widget);
            painter.fillRect(widget->rect(), GradientWidget::fromBgr(colours::clBlack));
        }
        return false;
    }
};

} // namespace

int GetColorDepth() {
    return platform::Desktop::instance().colorDepth();
}

void ApplyFormDefaults(int color1, int color2, QWidget* form, int helpContext) {
    if (form == nullptr)
        return;
    if (form->property("helpContext").toInt() == 0)
        form->setProperty("helpContext", helpContext);

    const QString helpLabelName = QStringLiteral("lblHelp") + QString::number(helpContext);
    if (QObject* found = form->findChild<QObject*>(helpLabelName)) {
        auto* label = qobject_cast<QLabel*>(found);
        if (label == nullptr)
            throw WendrakError(QStringLiteral("Ungültige Typumwandlung"));
        label->hide();
    }

    const int depth = GetColorDepth();
    // findChildren walks the tree depth first in creation order, which is the order of the
    // components in the form files.
    const auto children = form->findChildren<QWidget*>();
    for (QWidget* child : children)
        if (!isForeign(child, form))
            styleWidget(child, color1, color2, depth);
}

QSize primaryScreenSize() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(1024, 768);
}

void LayOutCentredPanel(QWidget* form, QWidget* panel, QWidget* frame, const QSize& screen,
                        int margin) {
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->setGeometry(0, 0, screen.width(), screen.height());
    if (form->findChild<QObject*>(QStringLiteral("blackBackground"), Qt::FindDirectChildrenOnly) ==
        nullptr)
        form->installEventFilter(new BlackBackground(form));

    CentrePanelInFrame(panel, frame, screen, margin);
}

void LayOutCentredPanel(QWidget* form, QWidget* panel, QWidget* frame) {
    LayOutCentredPanel(form, panel, frame, primaryScreenSize());
}

void LayOutScreenPanel(QWidget* form, QWidget* panel, const QColor& panelColour, QWidget* frame,
                       int frameMargin, QWidget* logo, const QSize& screen) {
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, panelColour);
    panel->setPalette(panelPalette);
    LayOutCentredPanel(form, panel, frame, screen, frameMargin);
    logo->move(screen.width() - logo->width(), screen.height() - logo->height());
}

QRect CoverScreenInBlack(QWidget* form) {
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    form->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    form->setGeometry(area);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, GradientWidget::fromBgr(colours::clBlack));
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    return area;
}

void CentrePanelInFrame(QWidget* panel, QWidget* frame, const QSize& area, int margin) {
    // Both halves are truncated on their own, so an odd panel on an odd screen sits one
    // pixel further left than exact centring would put it.
    const int left = area.width() / 2 - panel->width() / 2;
    const int top = area.height() / 2 - panel->height() / 2;
    panel->move(left, top);
    if (frame != nullptr) {
        frame->setGeometry(left - margin, top - margin, panel->width() + 2 * margin,
                           panel->height() + 2 * margin);
        frame->stackUnder(panel);
    }
}

void SetTextColour(QWidget* widget, int bgr) {
    widget->setStyleSheet(QStringLiteral("color: %1;").arg(GradientWidget::fromBgr(bgr).name()));
}
