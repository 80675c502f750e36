// Full-screen layout of a form with a centred panel (see ScreenLayout.h).
#include "shell/ui/ScreenLayout.h"

#include "engine/ui/uTFormDefault.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

QSize primaryScreenSize() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(1024, 768);
}

void LayOutScreenPanel(QWidget* form, QWidget* panel, const QColor& panelColour, QWidget* frame,
                       int frameMargin, QWidget* logo, const QSize& screen) {
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->setGeometry(0, 0, screen.width(), screen.height());
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, Qt::black);
    form->setPalette(palette);
    form->setAutoFillBackground(true);

    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, panelColour);
    panel->setPalette(panelPalette);
    CentrePanelInFrame(panel, frame, screen, frameMargin);
    logo->move(screen.width() - logo->width(), screen.height() - logo->height());
}
