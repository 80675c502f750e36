// Text players: the player file lies beside the text file, its extension replaced by
// ".PLY", whatever the dots in its folders and the length of its path; what the forty
// pairs of lines put into the record; faulty texts refused with a message and nothing
// written; and the save of the five personal fields the card gives back.
#include "players/TextPlayer.h"

#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/WendrakError.h"

#include <gmock/gmock.h>

using testing::StrEq, testing::ThrowsMessage;

namespace {

// A text player: 40 pairs of "label" and value; values given by pair number (from 1),
// "5" elsewhere.
QByteArray textPlayer(const QMap<int, QByteArray>& values, int pairs = 40) {
    QByteArray text;
    for (int pair = 1; pair <= pairs; ++pair)
        text += "Frage " + QByteArray::number(pair) + "\r\n" + values.value(pair, "5") + "\r\n";
    return text;
}

} // namespace

TEST(TextPlayerTest, OutputIsTheInputWithItsExtensionReplaced) {
    const QString deep = "/home/lehrer/" + QString(60, 'x') + "/Spieler.txt";
    for (const auto& [input, output] :
         {std::pair<QString, QString>{"/daten/Spieler.txt", "/daten/Spieler.PLY"},
          {"/daten/v1.2/Spieler", "/daten/v1.2/Spieler.PLY"},
          {"/daten/Anna.Maria.text", "/daten/Anna.Maria.PLY"},
          {"C:\\Import\\Spieler.txt", "C:/Import/Spieler.PLY"},
          {deep, deep.left(deep.size() - 4) + ".PLY"}})
        EXPECT_EQ(TextPlayerOutputPath(input), output) << input.toStdString();
}

TEST(TextPlayerTest, PairsFillTheRecordWrittenBesideTheTextAndTheSaveTakesFivePersonalFields) {
    TempRoot root;
    QMap<int, QByteArray> values = {
        {1, "Anton"}, {2, "m\xe4nnlich"}, {3, "<unbekannt>"}, {4, "Deutschland und mehr"},
        {8, "K0"},    {9, "D0 ja"},       {10, "K1"},         {11, "0"},
        {17, "10"},   {18, "0"},          {20, " 8 "},        {29, "7"},
        {32, "8"}};
    for (int pair = 18; pair <= 40; ++pair)
        values.insert(pair, values.value(pair, "<"));
    const QString input = root.write("Import.v2/Spieler.txt", textPlayer(values));
    const QString output = root.root() + "Import.v2/Spieler.PLY";

    const SpielerTyp imported = ImportTextPlayer(input);
    const SpielerTyp p = readPlayerFile(output);
    QStringList got = {p.Dateiname.get() == output.left(50) ? "Dateiname" : p.Dateiname.get()};
    got << p.Name.get() << p.Motto.get() << p.Geschlecht.get() << p.Alter.get()
        << p.Nationalitaet.get() << p.Bilddatei.get() << p.IstFriedlich.get()
        << p.GreiftNichtAn.get() << p.VerteidigtSicher.get() << p.NeigtZumAngreifen.get()
        << p.NeigtZumAusbeuten.get() << p.NeigtZuUeberreaktionen.get()
        << p.IstKonsensorientiert.get() + p.GeschaeftsmaessigAusbeutbar.get();
    // First day: second characters 0, 0, 1 and none: 2 with K, 2 with D; "<" gives 0.
    for (int i : {SitErsterTag, SitMDD, SitMDK, SitMKK})
        for (int n : {p.Situationen[i].Anzahl, p.Situationen[i].AnzahlK, p.Situationen[i].AnzahlD})
            got << QString::number(n);
    got << QString::number(p.IstAutomat + p.Spielertyp + p.MasseGueltig);
    EXPECT_EQ(got.join('|').toStdString(), "Dateiname|Anton|Kein Motto zugeordnet !|m|???|"
                                           "Deutschlan|?|K.A.|K.A.|K.A.|K.A.|K.A.|K.A.||"
                                           "4|2|2|10|7|3|0|0|0|8|8|0|0");

    // Name, age, gender, nationality and motto change; every other byte stays, Beruf too.
    const QByteArray before = root.read("Import.v2/Spieler.PLY");
    SaveTextPlayer(output, imported, {"Toni", "42", "w", "Schweiz", "Neues Motto", "Lehrer"});
    const QByteArray after = root.read("Import.v2/Spieler.PLY");
    const SpielerTyp s = readPlayerFile(output);
    EXPECT_EQ(QStringList({s.Name.get(), s.Alter.get(), s.Geschlecht.get(), s.Nationalitaet.get(),
                           s.Motto.get()}),
              QStringList({"Toni", "42", "w", "Schweiz", "Neues Motto"}));
    for (const auto& [from, to] : {std::pair{0, 55}, {123, 488}, {744, 2400}})
        EXPECT_EQ(after.mid(from, to - from), before.mid(from, to - from)) << from;
    // A typed text that Windows-1252 cannot hold is refused by its field; the file stays.
    const auto save = [&] { SaveTextPlayer(output, imported, {"Toni", "", "", "", "Łódź", ""}); };
    EXPECT_THAT(save, ThrowsMessage<WendrakError>(
                          StrEq(platform::AnsiFieldMessage("Motto").toStdString())));
    EXPECT_EQ(root.read("Import.v2/Spieler.PLY"), after);
}

TEST(TextPlayerTest, FaultyTextIsRefusedWithAMessageAndNothingIsWritten) {
    TempRoot root;
    root.write("Import/Spieler.PLY", "bleibt");
    const std::tuple<const char*, QByteArray, const char*> rows[] = {
        {"Spieler.txt", textPlayer({}, 39),
         "Die Spielerdatei „Spieler.txt“ ist unvollständig: Sie enthält keine 40 Zeilenpaare. "
         "Es wurde kein Spieler gespeichert."},
        {"Spieler.txt", textPlayer({{21, "zehn"}}),
         "In der Spielerdatei „Spieler.txt“ steht in Zeile 42 „zehn“ statt einer Anzahl. Es "
         "wurde kein Spieler gespeichert."},
        {"Spieler.txt", textPlayer({{22, "4"}}),
         "In der Spielerdatei „Spieler.txt“ sind für NDK mehr Fälle mit K (5) als Fälle (4) "
         "angegeben. Es wurde kein Spieler gespeichert."},
        // A text file that is named like its own player file is not replaced by it.
        {"Anna.ply", textPlayer({}),
         "Die Datei „Anna.ply“ ist schon eine Spielerdatei; sie wird nicht als "
         "Textbeschreibung gelesen."}};
    for (const auto& [name, text, message] : rows) {
        const QString path = root.write(QString("Import/") + name, text);
        EXPECT_THAT([&] { ImportTextPlayer(path); }, ThrowsMessage<WendrakError>(StrEq(message)));
        EXPECT_EQ(root.read(QString("Import/") + name), text);
    }
    EXPECT_EQ(root.read("Import/Spieler.PLY"), QByteArray("bleibt"));
}
