// The automaton editor driven through its widgets: the grid's move buttons, the player
// written into the folder its caller gives, field by field, with its table shown and loaded
// back, and refused type numbers, names and texts (nothing written, the editor still closes).
#include "players/ui/uAutomaten.h"

#include "ShellTestSupport.h"
#include "platform/Ansi.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxes.h"
#include "players/PlayerFile.h"

using namespace shelltest;
using platform::MessageBoxes;

class AutomatonTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempRoot> root;
    std::unique_ptr<TfrmAutomaten> form;

    QTableWidget* grid() const { return form->findChild<QTableWidget*>("strAutomaten"); }
    QLineEdit* edit(const QString& name) const { return form->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(name); }
    // Selects the cell of situation row (0 = "1. Tag") and column (0 = "Array[0]") and
    // presses the move button.
    void setMove(int row, int column, const char* moveButton) {
        const QRect at = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, at.center());
        button(moveButton)->click();
    }
    const QStringList kEdits = QString("Edit1 Edit2 Edit3 Edit4 Edit5 txtFreundlich txtBewahrt "
                                       "txtSichVer txtGeschAusbeutbar txtGreiftAn txtAusbeut "
                                       "txtNeigUeber txtTyp")
                                   .split(' ');
    void setEdits(const QStringList& values) {
        for (int i = 0; i < values.size(); ++i)
            edit(kEdits[i])->setText(values[i]);
    }

private slots:
    void init() {
        form.reset();
        root = std::make_unique<TempRoot>();
        QDir::setCurrent(root->programFolder()); // not where the editor writes
        form = std::make_unique<TfrmAutomaten>();
        form->ZielOrdner = root->root();
        QVERIFY(showExposed(form.get()));
        MessageBoxes::startRecording();
    }
    void cleanup() {
        MessageBoxes::reset();
        platform::FileDialogs::reset();
    }

    // Every edit its own value: the record field by field, then "Automat laden" fills each
    // edit back from its own field.
    void okWritesTheAutomatonFieldByFieldShowsItsTableAndLoadsItBack() {
        setMove(0, 1, "btnD");
        setMove(2, 2, "btnZ");
        setMove(12, 3, "btnK");
        setMove(5, 0, "btnD"); // shown, not stored
        setEdits({" Robo ", "12345", "mw", "Deutschland!", "Immer weiter", "Ja", "Nein", "k.A.",
                  "Jaja", "N1", "J2", "Neixx", " 5"});
        button("btnOk")->click();
        QCOMPARE(filesIn(root->root()), QStringList{"Robo.PLY"});
        const SpielerTyp p = readPlayerFile(root->root() + "Robo.PLY");
        // Field by field; what the editor does not set stays empty or zero.
        const QStringList stored =
            QString("Robo|123|m|Deutschlan|Immer weiter|Ja|Nein|k.A.|Jaja|N1|J2|Neix|5").split('|');
        QCOMPARE(
            QStringList({p.Name.get(), p.Alter.get(), p.Geschlecht.get(), p.Nationalitaet.get(),
                         p.Motto.get(), p.IstKonsensorientiert.get(), p.IstFriedlich.get(),
                         p.VerteidigtSicher.get(), p.GeschaeftsmaessigAusbeutbar.get(),
                         p.NeigtZumAngreifen.get(), p.NeigtZumAusbeuten.get(),
                         p.NeigtZuUeberreaktionen.get(), QString::number(p.Spielertyp)}),
            stored);
        QCOMPARE(p.Dateiname.get() + p.GreiftNichtAn.get() + p.Bilddatei.get() + p.Beruf.get(),
                 QString("Robo.PLY"));
        QCOMPARE(QList<int>({p.IstAutomat, p.MasseGueltig, p.Herkunft,
                             p.ErgebnisGegenK | p.ErgebnisNachEntgegenkommen | p.ErgebnisGegenD |
                                 p.Friedfertigkeit}),
                 QList<int>({1, 1, 0, 0}));
        for (const SituationTyp& s : p.Situationen)
            QVERIFY(s.Anzahl == -1 && s.AnzahlK == -1 && s.AnzahlD == -1);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.reserved3), 768), QByteArray(768, 0));

        QStringList table(13, "0 -1 -1 -1 \n");
        table[0] = "0 1 -1 -1 \n", table[2] = "0 -1 2 -1 \n", table[12] = "0 -1 -1 0 \n";
        QCOMPARE(MessageBoxes::shown(), QStringList{table.join("")});

        setEdits(QStringList(13, QString()));
        form->show();
        platform::FileDialogs::answerNext(root->root() + "Robo.PLY");
        button("Button2")->click();
        for (int i = 0; i < 13; ++i)
            QCOMPARE(edit(kEdits[i])->text(), stored[i]);
        QCOMPARE(grid()->item(2, 2)->text() + grid()->item(12, 3)->text(), QString("20"));
    }

    // Each text Windows-1252 cannot hold is refused by the label of its field.
    void aBadTypeNumberNameOrTextWritesNothingButTheEditorCloses() {
        const QString notSaved = " Der Automat wurde nicht gespeichert.";
        QList<std::tuple<QString, QString, QString>> rows = {
            {"txtTyp", "fünf", "Der Typ „fünf“ ist keine ganze Zahl." + notSaved},
            {"Edit1", "../Robo",
             "Dieser Name kann nicht als Dateiname verwendet werden." + notSaved}};
        const QStringList labels =
            QString("Name|Alter|Geschlecht|Nationalität|Motto|Ist konsenorientiert|Ist friedlich|"
                    "Verteidigt sich sicher|Ist geschäftsmäßig ausbeutbar|Zeigt eine Neigung zum "
                    "Angreifen|Zeigt eine N. zum Ausbeuten|Zeigt eine N. zu Überreaktionen")
                .split('|');
        for (int i = 0; i < 12; ++i)
            rows.append({kEdits[i], "Łukasz", platform::AnsiFieldMessage(labels[i]) + notSaved});
        for (const auto& [field, text, message] : rows) {
            MessageBoxes::reset(), MessageBoxes::startRecording();
            form->show();
            setEdits({"Robo", "1", "m", "D", "M", "Ja", "Ja", "Ja", "Ja", "Ja", "Ja", "Ja", "1"});
            edit(field)->setText(text);
            button("btnOk")->click();
            QCOMPARE(MessageBoxes::shown(), QStringList{message});
            QVERIFY(!form->isVisible());
            QVERIFY(filesIn(root->root()).isEmpty() && filesIn(root->programFolder()).isEmpty());
        }
    }
};

QTEST_MAIN(AutomatonTest)
#include "automaton_test.moc"
