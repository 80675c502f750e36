// The look every window of the program shares: gradient backgrounds in the colours of the
// window's family, Arial 8 fonts, 24-pixel buttons, silver edit and list fields, and the
// window's help context. Windows call ApplyFormDefaults when they are created or shown.
#pragma once

class QColor;
class QRect;
class QSize;
class QWidget;

// Bits per pixel of the screen (platform::Desktop, so tests can pretend an 8-bit screen).
int GetColorDepth();

// Gives a label its text colour (a colour of Colours.h) through its style sheet, so the
// form look does not override it.
void SetTextColour(QWidget* widget, int bgr);

// Gives form the common look. color1 and color2 are $BBGGRR colours. The help context is
// kept in the window's dynamic int property "helpContext" (the F1 handler reads it); a
// window that already has a non-zero context keeps it. A label named "lblHelp<context>"
// on the window is hidden.
void ApplyFormDefaults(int color1, int color2, QWidget* form, int helpContext);

// Lays a window out the way every window of the program sits on the screen: covering the
// whole screen, black and borderless, with panel centred and frame grown by 5 pixels on each
// side behind it. The overload without a size takes the primary screen's.
void LayOutCentredPanel(QWidget* form, QWidget* panel, QWidget* frame, const QSize& screen,
                        int margin = 5);
void LayOutCentredPanel(QWidget* form, QWidget* panel, QWidget* frame);
// The same for the menus (main window, experiments): the panel painted in panelColour, the
// frame grown by frameMargin, the logo in the bottom-right corner.
void LayOutScreenPanel(QWidget* form, QWidget* panel, const QColor& panelColour, QWidget* frame,
                       int frameMargin, QWidget* logo, const QSize& screen);

// The primary screen's size; 1024 x 768 when there is no screen.
QSize primaryScreenSize();

// Makes form a borderless dialog covering its screen (1024 x 768 where there is none) in
// black, painted from its palette, and returns the screen's area.
QRect CoverScreenInBlack(QWidget* form);

// Centres panel in an area of the given size, with frame (if any) grown by margin pixels on
// each side behind it.
void CentrePanelInFrame(QWidget* panel, QWidget* frame, const QSize& area, int margin = 5);
