// The activation rule of the program's windows (see OwnActivation.h).
#include "platform/ui/OwnActivation.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace platform {

OwnActivation::OwnActivation(QWidget* window, std::function<void()> steps)
    : QObject(window), m_window(window), m_steps(std::move(steps)) {
    qApp->installEventFilter(this);
}

bool OwnActivation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched != m_window && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal())
            QTimer::singleShot(0, this, &OwnActivation::dialogClosed);
    }
    return QObject::eventFilter(watched, event);
}

void OwnActivation::dialogClosed() {
    if (!m_window || !m_window->isVisible())
        return;
    // Only when no other dialog of the program still stands over the window.
    QWidget* top = QApplication::activeModalWidget();
    if (top == (m_window->isModal() ? m_window.data() : nullptr))
        m_steps();
}

} // namespace platform
