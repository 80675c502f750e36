// A horizontal gradient from StartColor to EndColor in Steps bands, the backdrop of the
// program's windows. Colours are $BBGGRR integers (blue in the high byte), as the form
// files store them. The form look reads the widget's name and Tag to pick its colours.
#pragma once

#include "platform/Colours.h"

#include <QWidget>

class GradientWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int StartColor READ startColor WRITE setStartColor)
    Q_PROPERTY(int EndColor READ endColor WRITE setEndColor)
    Q_PROPERTY(int Steps READ steps WRITE setSteps)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
public:
    explicit GradientWidget(QWidget* parent = nullptr);

    int startColor() const { return m_start; }
    void setStartColor(int bgr);
    int endColor() const { return m_end; }
    void setEndColor(int bgr);
    int steps() const { return m_steps; }
    void setSteps(int steps);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // $BBGGRR -> QColor
    static QColor fromBgr(int bgr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_start = colours::clBlack;
    int m_end = colours::clWhite;
    int m_steps = 100;
    int m_tag = 0;
};
