// The situation overview: a player's thirteen situations with their cases, K cases and D
// cases in the value labels Label22 to Label60 (situation i, column j in Label 22 + 3i + j).
// Created once at start-up; the player card fills it (ShowSituations) and shows it modally;
// "&OK" returns 1.
#pragma once

#include "players/PlayerFile.h"

#include <QDialog>
#include <memory>

class QLabel;
namespace Ui {
class TForm9;
}

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    // Writes the 39 counts of the record's situation table, in record order, into the
    // value labels.
    void ShowSituations(const SpielerTyp& player);
    // The value label of a number 22..60.
    QLabel* valueLabel(int number) const;

private:
    std::unique_ptr<Ui::TForm9> ui;
};
