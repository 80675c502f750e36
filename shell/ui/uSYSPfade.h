// The settings dialog: the user name and the installation folder, editable, and the four
// other folders of the settings file for information. Each showing reads "Kemra.ini"
// afresh; "&Ok" writes every setting back (other keys and sections of the file stay) and
// closes with 1. A save that did not happen keeps the dialog open, and its message adds that
// Escape leaves without saving. One instance lives for the whole run.
#pragma once

#include <QDialog>
#include <memory>

class TApplicationEnviroment;
namespace Ui {
class TfrmPfade;
}

class TfrmPfade : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPfade(QWidget* parent = nullptr);
    ~TfrmPfade() override;

    std::unique_ptr<TApplicationEnviroment> Umgebung;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void btnOKClick();
    void btnBrowseClick();

    Ui::TfrmPfade* ui;
};
