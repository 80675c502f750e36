// The start picture: a full-screen picture with the program's title; a key closes it
// with modal result 1. Start-up creates it; no command shows it.
#pragma once

#include <QDialog>

namespace Ui {
class TfrmStart;
}

class TfrmStart : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStart(QWidget* parent = nullptr);
    ~TfrmStart() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ui::TfrmStart* ui;
};
