// The author page: a black full-screen greeting with the program's name and "&Weiter".
// Start-up creates it; no command shows it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace Ui {
class TfrmAutor;
}

class TfrmAutor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAutor(QWidget* parent = nullptr);
    ~TfrmAutor() override;

    QLabel* imgLogo() const;
    QLabel* lblHallo() const;
    QLabel* lblWendrak() const;
    QPushButton* btnWeiter() const;

private:
    Ui::TfrmAutor* ui;
};

extern TfrmAutor* frmAutor;
