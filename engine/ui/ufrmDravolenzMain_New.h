// The result window of a tournament run: five pages with the games of one player, the
// ranking with its points bars, the group composition, the group figures and the favours
// received and granted. The run fills it through ResultDisplay, shows it modally and reads
// its modal result with exec() (4 asks for a new group, 2 goes back).
#pragma once

#include "engine/ResultDisplay.h"
#include "platform/ModalResults.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <memory>

class QLabel;

namespace Ui {
class TfrmDravolenzMain_New;
}

class TfrmDravolenzMain_New : public QDialog, public ResultDisplay {
    Q_OBJECT
public:
    explicit TfrmDravolenzMain_New(QWidget* parent = nullptr);
    ~TfrmDravolenzMain_New() override;

    // Modal results of the two closing buttons.
    static constexpr int ResultRetry = modal::NewGroup;
    static constexpr int ResultBack = modal::Cancel;

    std::int32_t BalkenNr = 0;
    std::int32_t AnzDurchlaeufe = 0;
    std::int32_t AnzTeilnehmerHigh = 0;

    // Shows lineText (a styled line) in place of placeholder: the placeholder is hidden and
    // one label per piece is laid from its left edge on, each after the one before. An item
    // without a style digit throws WendrakError; the labels made before it stay.
    void ShowStyledLine(QLabel* placeholder, const QString& lineText);
    // Appends a ranking row; showBar -1 makes the header row.
    void AddRankingRow(const QString& platz, const QString& name, const QString& punkte,
                       const QString& spielertyp, int showBar, int opponents) override;

    // ResultDisplay
    void SetCounts(int anzDurchlaeufe, int anzTeilnehmerHigh) override;
    void ShowStyledLine(const QString& placeholder, const QString& lineText) override;
    void SetPlayerList(const QStringList& names) override;
    void SetRunTables(const QStringList& participants,
                      const QList<ResultPairing>& pairings) override;

    // What each activation does: the games list of the chosen player and the favours page.
    void FormActivate();
    void ComboBoxSpielerlisteChange();
    void BuildServicesPage();

signals:
    // "Hintergrundmaterial": the program shows its background-material menu over this window.
    void backgroundMaterialRequested();

public slots:
    // The window closes only through its two buttons.
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void AddServicesBar(const QString& name, std::int32_t received, std::int32_t granted,
                        std::int32_t maximum);
    void PageControlMainChange(int index);
    void btnHintergrundmaterialClick();

    std::unique_ptr<Ui::TfrmDravolenzMain_New> ui;
    QStringList m_participants;
    QList<ResultPairing> m_pairings;
};
