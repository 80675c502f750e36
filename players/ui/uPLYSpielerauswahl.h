// The chooser of the sibling program's players: the ".TP0" files of its export folder.
// Created at start-up and reused; the caller sets PelkamExportPath before exec(), which
// returns 1 with the chosen file name in lblBack, or 2 (Zurück).
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
namespace Ui {
class TfrmPLYAuswahl;
}

class TfrmPLYAuswahl : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPLYAuswahl(QWidget* parent = nullptr);
    ~TfrmPLYAuswahl() override;

    // The export folder listed on every showing.
    QString PelkamExportPath;

    // Lists the ".TP0" files of folder (any letter case, hidden ones too) in the order of
    // the platform's listings; Ok waits for a choice.
    void Initialisieren(const QString& folder);
    void reject() override;

    QListWidget* lstSpieler() const;
    QLabel* lblBack() const;
    QPushButton* btnOk() const;
    QPushButton* btnCancel() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void lstSpielerClick();
    void lstSpielerDblClick();
    void btnOKClick();
    void btnCancelClick();

    Ui::TfrmPLYAuswahl* ui;
};
