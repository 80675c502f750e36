// The author page: a black full-screen greeting with the program's name and "&Weiter".
// Start-up creates it; no command shows it.
#pragma once

#include <QDialog>

class QPushButton;

namespace Ui {
class TfrmAutor;
}

class TfrmAutor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAutor(QWidget* parent = nullptr);
    ~TfrmAutor() override;

    QPushButton* btnWeiter() const;

private:
    Ui::TfrmAutor* ui;
};
