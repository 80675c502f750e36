#include "platform/ui/GradientWidget.h"

#include <QPainter>
#include <algorithm>

GradientWidget::GradientWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientWidget::setStartColor(int bgr) {
    m_start = bgr;
    update();
}

void GradientWidget::setEndColor(int bgr) {
    m_end = bgr;
    update();
}

void GradientWidget::setSteps(int steps) {
    m_steps = std::clamp(steps, 1, 255);
    update();
}

QColor GradientWidget::fromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void GradientWidget::paintEvent(QPaintEvent*) {
    // Bands of equal width from left to right, each one colour step further.
    QPainter painter(this);
    const QColor a = fromBgr(m_start);
    const QColor b = fromBgr(m_end);
    const int w = width();
    const int div = std::max(1, m_steps - 1);
    for (int i = 0; i < m_steps; ++i) {
        const int x0 = w * i / m_steps;
        const int x1 = w * (i + 1) / m_steps;
        const QColor c(a.red() + (b.red() - a.red()) * i / div,
                       a.green() + (b.green() - a.green()) * i / div,
                       a.blue() + (b.blue() - a.blue()) * i / div);
        painter.fillRect(x0, 0, x1 - x0, height(), c);
    }
}
