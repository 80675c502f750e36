// The automaton editor: a grid of the thirteen situations with up to three moves each
// (K, D or Z), the player's personal data, answers and type number; "&Ok" writes the
// automaton player into ZielOrdner and shows its table. "Automat laden" fills the
// editor from a stored automaton player. One instance lives for the whole run.
#pragma once

#include <QDialog>
#include <QString>

class QFileDialog;
struct AutomatonInput;
namespace Ui {
class TfrmAutomaten;
}

class TfrmAutomaten : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAutomaten(QWidget* parent = nullptr);
    ~TfrmAutomaten() override;

    // The folder the automaton player is written into, set by the caller before exec().
    QString ZielOrdner;

    // The selected cell in the grid's own counting: column 1..4, row 1..13 (0 = the
    // captions).
    int SelectedCol = 0;
    int SelectedRow = 0;

    void strAutomatenSelectCell(int col, int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void SetSelectedCell(const QString& move);
    void btnKClick();
    void btnDClick();
    void btnZClick();
    void btnOkClick();
    void Button2Click();
    AutomatonInput input() const;
    void fill(const AutomatonInput& input);

    Ui::TfrmAutomaten* ui;
    QFileDialog* OpenDialog1 = nullptr;
};
