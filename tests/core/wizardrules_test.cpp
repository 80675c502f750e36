// The rules of the two player wizards: the new-player wizard's pages, table and answer
// fields along each way through its questions; the change wizard's state table row by row
// and its check of the new name.
#include "players/ChangePlayerWizard.h"
#include "players/NewPlayerWizard.h"

#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/WendrakError.h"

#include <QDir>
#include <QFileInfo>

#include <gmock/gmock.h>

#include <cstring>
#include <string>

namespace {

// "k/d" of the thirteen situations in table order.
std::string cases(const SpielerTyp& p) {
    QStringList out;
    for (const SituationTyp& s : p.Situationen)
        out << QString("%1/%2").arg(s.AnzahlK).arg(s.AnzahlD);
    return out.join(' ').toStdString();
}

// GreiftNichtAn, IstFriedlich, NeigtZumAngreifen, NeigtZumAusbeuten,
// NeigtZuUeberreaktionen, VerteidigtSicher as "J"/"N".
std::string answerFields(const SpielerTyp& p) {
    QString out;
    for (const QString& t :
         {p.GreiftNichtAn.get(), p.IstFriedlich.get(), p.NeigtZumAngreifen.get(),
          p.NeigtZumAusbeuten.get(), p.NeigtZuUeberreaktionen.get(), p.VerteidigtSicher.get()})
        out += t == "Ja" ? "J" : t == "Nein" ? "N" : "<" + t + ">";
    return out.toStdString();
}

// Runs the wizard: text pages get name, motto, gender, age and nationality; the other pages
// take the next token of script ("J", "N", or a slider position). Returns the pages shown.
std::string runNewPlayer(NewPlayerWizard& wizard, const QString& name, const QString& script) {
    const QStringList texts = {name, "Motto", "w", "17", "Deutsch"};
    QStringList tokens = script.split(' ', Qt::SkipEmptyParts);
    QStringList shown;
    int step = 1;
    while (step > 0) {
        shown << QString::number(step);
        const int text = step == 1 ? 0 : step >= 9 ? step - 8 : -1;
        if (text >= 0) {
            step = wizard.Answer(step, NsOk, texts.value(text), 1);
            continue;
        }
        const QString token = tokens.isEmpty() ? "N" : tokens.takeFirst();
        const int result = token == "J" ? NsJa : token == "N" ? NsNein : NsOk;
        step = wizard.Answer(step, result, {}, token.toInt());
    }
    return shown.join(' ').toStdString();
}

// The name names file (".ply") and record (".PLY", cut to 50 characters).
TEST(NewPlayerWizard, EachWayThroughTheQuestionsWritesItsTableAnswerFieldsAndFile) {
    TempRoot root;
    const QString store = root.programFolder() + "SpielerStamm/", c47(47, 'c'), d50(50, 'd');
    // Name, file on disk|Dateiname, answers, pages shown, table ("1. Tag" MDD MDK MKD MKK NDD
    // NDK NKD NKK PDD PDK PKD PKK), answer fields.
    using Row = std::tuple<QString, QString, const char*, const char*, const char*, const char*>;
    const Row rows[] = {
        // Peaceful, defending resolutely.
        {"Anna", "Anna.ply|Anna.PLY", "J J", "1 2 7 9 10 11 12",
         "10/0 0/10 0/10 10/0 0/10 10/0 0/10 10/0 10/0 10/0 10/0 10/0 10/0", "JJNNNJ"},
        // Peaceful, conceding with the slider left at 1.
        {c47, c47 + ".ply|" + c47 + ".PL", "J N 1", "1 2 7 8 9 10 11 12",
         "10/0 1/9 1/9 10/0 1/9 10/0 1/9 10/0 10/0 10/0 10/0 10/0 10/0", "JJNNNN"},
        // No unprovoked attack, attacking in 10 of 10 cases when it is possible.
        {d50 + "xyz", d50 + ".ply|" + d50, "N N 10 N J", "1 2 3 4 5 7 9 10 11 12",
         "10/0 0/10 0/10 0/10 0/10 0/10 0/10 10/0 10/0 10/0 0/10 10/0 10/0", "NJJNJJ"},
        // No unprovoked attack at 1, tricking again at 3, conceding at 10.
        {"Bea", "Bea.ply|Bea.PLY", "N N 1 J 3 N 10", "1 2 3 4 5 6 7 8 9 10 11 12",
         "10/0 10/0 10/0 9/1 10/0 9/1 10/0 7/3 10/0 7/3 9/1 7/3 7/3", "NJJJJN"},
    };
    for (const auto& [name, saved, script, pages, table, fields] : rows) {
        SCOPED_TRACE(script);
        NewPlayerWizard wizard;
        EXPECT_EQ(runNewPlayer(wizard, name, script), pages);
        const SpielerTyp p = wizard.Record();
        EXPECT_EQ(cases(p), table);
        EXPECT_EQ(answerFields(p), fields);
        const QString file = QFileInfo(SaveNewPlayer(store, wizard)).fileName();
        EXPECT_TRUE(QDir(store).entryList().contains(file));
        EXPECT_EQ(file + "|" + readPlayerFile(store + file).Dateiname.get(), saved);
    }
    // The personal texts Windows-1252 cannot hold are refused by field (the name and the
    // motto through the window).
    for (const int step : {10, 11, 12})
        EXPECT_THAT([&] { NewPlayerWizard().Answer(step, NsOk, "Ł", 1); },
                    testing::ThrowsMessage<WendrakError>(testing::StrEq(
                        platform::AnsiFieldMessage(
                            QStringList{"Geschlecht", "Alter", "Nationalität"}[step - 10])
                            .toStdString())));
}

// Each entry alone with one D, then one K: which answer fields it turns.
TEST(NewPlayerWizard, EachAnswerFieldReadsExactlyItsEntries) {
    const char* const withD[SituationCount] = {"NJJNNJ", "JJNNNJ", "JJNNNJ", "NJJNJJ", "JJNNNJ",
                                               "NJJNNJ", "JJNNNJ", "JJNJNJ", "JNJNNJ", "JJNJNJ",
                                               "NJJNNJ", "JJNJNJ", "JJNJNJ"};
    const QString verteidigtSicherWithK = "JNNJNJNJJJJJJ";
    for (int s = 0; s < SituationCount; ++s)
        for (const bool withK : {false, true}) {
            SpielerTyp p = zeroedPlayer();
            (withK ? p.Situationen[s].AnzahlK : p.Situationen[s].AnzahlD) = 1;
            SetNewPlayerAnswerFields(p);
            EXPECT_EQ(answerFields(p),
                      withK ? ("JJNNN" + verteidigtSicherWithK.mid(s, 1)).toStdString() : withD[s])
                << s << withK;
        }
}

TEST(ChangePlayerWizard, StateTableAppliesEachRowToACopyOfThePlayer) {
    using namespace changeplayer;
    constexpr int W = Ja; // "Weiter"
    // State, answer, slider, next state, the entries written "=" n/k/d.
    const std::tuple<int, int, int, int, QString> rows[] = {
        {1, Ja, 0, 2, "MDD MDK MKK NDK=10/3/4"},
        {1, Nein, 0, 4, ""},
        {2, Ja, 0, 4, "MDD MDK MKK NDK=7/0/10"},
        {2, Nein, 0, 3, ""},
        {3, W, 0, 4, "MDD MDK MKK NDK=7/0/10"},
        {3, W, 6, 4, "MDD MDK MKK NDK=7/6/4"},
        {4, Ja, 0, 5, ""},
        {4, Nein, 0, kFertig, ""},
        {5, Ja, 0, 6, "Tag MKD NDD NKD NKK PDD PDK PKD PKK=10/3/4"},
        {5, Nein, 0, 9, ""},
        {6, W, 2, 7, "Tag MKD NDD NKK PDK=7/8/2"},
        {7, Ja, 0, 8, ""},
        {7, Nein, 0, kFertig, "NKD PDD PKD PKK=7/10/0"},
        {8, W, 3, kFertig, "NKD PDD PKD PKK=7/7/3"},
        {9, Ja, 0, 10, "Tag NKK=10/10/0"},
        {9, Nein, 0, 14, ""},
        {10, Ja, 0, kFertig, "MKD NDD NKD PDD PDK PKD PKK=10/10/0"},
        {10, Nein, 0, 11, ""},
        {11, W, 4, 12, "MKD NDD PDK=10/6/4"},
        {12, Ja, 0, 13, ""},
        {12, Nein, 0, kFertig, "NKD PDD PKD PKK=10/10/0"},
        {13, W, 5, kFertig, "NKD PDD PKD PKK=10/5/5"},
        {14, Ja, 0, kFertig, "Tag MKD NDD NKD NKK PDD PDK PKD PKK=10/10/0"},
        {14, Nein, 0, kWiderspruch, ""},
    };
    SpielerTyp chosen = zeroedPlayer();
    std::memset(&chosen, 0x5A, sizeof chosen); // every field the wizard must leave alone
    for (SituationTyp& s : chosen.Situationen)
        s = {7, 3, 4};
    for (const auto& [state, answer, v, next, writes] : rows) {
        SCOPED_TRACE(QString("%1/%2").arg(state).arg(answer).toStdString());
        SpielerTyp expected = chosen;
        for (const QString& code : writes.section('=', 0, 0).split(' ', Qt::SkipEmptyParts)) {
            const QStringList nkd = writes.section('=', 1).split('/');
            for (int s = 0; s < SituationCount; ++s)
                if (code == (s == 0 ? "Tag" : situationCode(s)))
                    expected.Situationen[s] = {nkd[0].toInt(), nkd[1].toInt(), nkd[2].toInt()};
        }
        SpielerTyp copy = chosen;
        EXPECT_EQ(ApplyAnswer(copy, state, answer, v), next);
        EXPECT_EQ(std::memcmp(&copy, &expected, sizeof copy), 0);
    }
}

TEST(ChangePlayerWizard, NewNameLosesItsBlanksAndIsRefusedWhenTakenInAnyCaseOrUnfit) {
    using namespace changeplayer;
    TempRoot root;
    const QString ordner = root.programFolder() + "SpielerStamm/";
    root.write("Wendrak/SpielerStamm/anna.Ply", QByteArray(2400, 0));
    // The name typed, the accepted name's Dateiname (+ " taken") or the message.
    const std::pair<QString, QString> rows[] = {
        {" ANNA ", "ANNA.Ply taken"},
        {"Anna.ply", "Anna.ply.Ply"},
        {QString(46, 'a'), QString(46, 'a') + ".Ply"},
        {QString(47, 'a'), "Der Name darf höchstens 46 Zeichen lang sein."},
        {"a\\b", "Dieser Name kann nicht als Dateiname verwendet werden."},
        {"Łukasz", platform::AnsiFieldMessage("Neuer Spielername")},
    };
    for (const auto& [typed, want] : rows) {
        QString result;
        try {
            const QString name = AcceptNewName(typed);
            SpielerTyp renamed = zeroedPlayer();
            RenamePlayer(renamed, name), result = renamed.Dateiname.get();
            if (NameTaken(ordner, name))
                result += " taken";
        } catch (const WendrakError& e) {
            result = e.message();
        }
        EXPECT_EQ(result, want) << typed.toStdString();
    }
}

} // namespace
