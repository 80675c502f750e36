// The progress window that covers the screen while a tournament run plays its pairings: a
// gauge with the share of pairings played and a cancel button. The run drives it: it shows
// the window, sets the gauge after each game, lets pending events be handled and reads
// Abbruch.
#pragma once

#include <QWidget>
#include <memory>

class QPushButton;
class QFrame;
class QProgressBar;

namespace Ui {
class TForm10;
}

class TForm10 : public QWidget {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    ~TForm10() override;

    // The user has asked to cancel. The button sets it; the run reads and clears it.
    bool Abbruch = false;

    // Sets the gauge to percent (0..100) and repaints at once, but only when the value
    // changes, so a run of many short games repaints at most 101 times.
    void setGaugeValue(int percent);
    int gaugeValue() const;

    // Lets pending events be handled (the cancel button's click among them) and returns
    // Abbruch. The run calls it after each game.
    bool processEventsAndCheckAbbruch();

    // Clears Abbruch, as every showing of the window does.
    void reset();

    QFrame* pnlRahmen() const;
    QProgressBar* Gauge1() const;
    QPushButton* btnCancel() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void btnCancelClick();
    void paintGauge();

    std::unique_ptr<Ui::TForm10> ui;
};
