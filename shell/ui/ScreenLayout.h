// The full-screen layout the main window and the experiments menu share: the form covers
// the screen, black and borderless, with its coloured panel centred, a frame behind the
// panel and the logo in the bottom-right corner.
#pragma once

class QColor;
class QSize;
class QWidget;

// The primary screen's size; 1024 x 768 when there is no screen.
QSize primaryScreenSize();

// The frame is grown by frameMargin on each side of the panel.
void LayOutScreenPanel(QWidget* form, QWidget* panel, const QColor& panelColour, QWidget* frame,
                       int frameMargin, QWidget* logo, const QSize& screen);
