// The situation overview (see uUebersicht.h).
#include "players/ui/uUebersicht.h"

#include "platform/ModalResults.h"
#include "ui_uUebersicht.h"

#include <QLabel>
#include <QPushButton>

TForm9::TForm9(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TForm9>()) {
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->Button2, &QPushButton::clicked, this, [this] { done(modal::Ok); });
}

TForm9::~TForm9() = default;

QLabel* TForm9::valueLabel(int number) const {
    return findChild<QLabel*>(QStringLiteral("Label") + QString::number(number));
}

void TForm9::ShowSituations(const SpielerTyp& player) {
    for (int i = 0; i < SituationCount; ++i) {
        const SituationTyp& s = player.Situationen[i];
        const std::int32_t values[3] = {s.Anzahl, s.AnzahlK, s.AnzahlD};
        for (int j = 0; j < 3; ++j)
            if (QLabel* label = valueLabel(22 + 3 * i + j))
                label->setText(QString::number(values[j]));
    }
}
