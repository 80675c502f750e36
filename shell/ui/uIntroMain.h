// The intro window: shown at the first start as a title page and reused by the main
// window as the farewell screen. "&Weiter" or any key closes it with modal result 1.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace Ui {
class TfrmIntroMain;
}

class TfrmIntroMain : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIntroMain(QWidget* parent = nullptr);
    ~TfrmIntroMain() override;

    // The picture and the parts the farewell changes, under their layout names.
    QLabel* Image1() const;
    QLabel* lblHead() const;
    QLabel* lblSubHead() const;
    QPushButton* btnStart() const;

    // The picture file on the left (in the program folder).
    static QString pictureFile();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    Ui::TfrmIntroMain* ui;
};
