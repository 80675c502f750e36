// Player descriptions and the shipped player store: a description becomes exactly the
// record it says, faulty descriptions are refused with a message and write nothing, and
// the store in data/ is what its descriptions generate and covers every category.
#include "players/PlayerDescription.h"

#include "TempRoot.h"
#include "engine/Ranking.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"
#include "players/uPelkam2Wendrak.h"
#include "players/uTGroup.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <tuple>

namespace {

QJsonObject json(const char* text) {
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

const char* kAnna = R"({"Datei": "ANNA.PLY", "Name": "Anna", "Beruf": "Schülerin",
  "Situationen": {"1. Tag": 10, "MDD": 10, "MDK": 10, "MKD": 10, "MKK": 10, "NDD": 10, "NDK": 10,
                  "NKD": 10, "NKK": 10, "PDD": 10, "PDK": 10, "PKD": 10, "PKK": [4, 1, 3]}})";

const char* kEck = R"({"Datei": "ECK.PLY", "Name": "Eck",
  "Automat": {"1. Tag": "K", "MDD": "D", "MDK": "dk", "MKD": "KDZ", "MKK": "", "NDD": "D",
              "NDK": "D", "NKD": "K", "NKK": "K", "PDD": "D", "PDK": "K", "PKD": "K", "PKK": "K"},
  "Eigenschaften": {"IstKonsensorientiert": "Ja", "IstFriedlich": "Ja", "GreiftNichtAn": "Ja",
    "VerteidigtSicher": "Ja", "NeigtZumAngreifen": "Nein", "NeigtZumAusbeuten": "Nein",
    "NeigtZuUeberreaktionen": "Nein", "GeschaeftsmaessigAusbeutbar": "k.A.", "Spielertyp": 5,
    "Friedfertigkeit": 1000}})";

QByteArray bytesOf(const SpielerTyp& p) {
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

QString storeFolder() {
    return TempRoot::sourceData() + "Wendrak/SpielerStamm/";
}

// The message of the WendrakError that action throws.
QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const WendrakError& e) {
        return e.message();
    }
    return QStringLiteral("(kein Fehler)");
}

// Sets key, or table/key, of a description to a JSON value, or removes it when value is null.
void patch(QJsonObject& o, const QString& path, const char* value) {
    const QStringList keys = path.split('/');
    QJsonObject inner = keys.size() > 1 ? o[keys[0]].toObject() : o;
    if (value != nullptr)
        inner[keys.last()] = QJsonDocument::fromJson(QByteArray("[") + value + "]").array().at(0);
    else
        inner.remove(keys.last());
    if (keys.size() > 1)
        o[keys[0]] = inner;
    else
        o = inner;
}

} // namespace

TEST(PlayerDescription, DescriptionBecomesTheRecordItSaysWithTraitsDerivedOrKnown) {
    QJsonObject o = json(kAnna);
    patch(o, "Dateiname", "\"Vorlage.plx\""); // the record may name a read-only player
    const PlayerDescription d = PlayerFromJson(o);
    const SpielerTyp& p = d.Record;
    EXPECT_TRUE(d.Datei == "ANNA.PLY" && p.Dateiname.get() == "Vorlage.plx");
    EXPECT_EQ(p.Beruf.get(), QString::fromUtf8("Schülerin"));
    EXPECT_EQ(p.IstAutomat, 0);
    EXPECT_TRUE(p.Situationen[SitNKK].AnzahlK == 10 && p.Situationen[SitNKK].AnzahlD == 0);
    EXPECT_TRUE(p.Situationen[SitPKK].Anzahl == 4 && p.Situationen[SitPKK].AnzahlD == 3);
    EXPECT_EQ(p.Spielertyp, 6);
    EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.len, 0);          // left to the test runs
    EXPECT_EQ(bytesOf(p).mid(280, 16), QByteArray(16, '\0')); // automaton table untouched
    EXPECT_EQ(bytesOf(p).mid(1624), QByteArray(776, '\0'));

    const SpielerTyp a = PlayerFromJson(json(kEck)).Record;
    EXPECT_TRUE(a.IstAutomat == 1 && a.Situationen[SitPKK].AnzahlK == -1);
    const AutomatTyp& mdk = a.Automat[SitMDK]; // "dk": letters in any case, third empty
    EXPECT_TRUE(mdk.Position == 0 && mdk.zug(1) == MoveD && mdk.zug(2) == MoveK &&
                mdk.zug(3) == MoveEmpty);
    EXPECT_TRUE(a.Automat[SitMKD].zug(3) == MoveZ && a.Automat[SitMKK].zug(1) == MoveEmpty);
    EXPECT_TRUE(a.GeschaeftsmaessigAusbeutbar == "k.A." && a.Friedfertigkeit == 1000);

    QJsonObject graf = json(kEck);
    patch(graf, "Eigenschaften", nullptr);
    patch(graf, "Name", "\"Graf\"");
    const SpielerTyp g = PlayerFromJson(graf).Record;
    EXPECT_TRUE(g.Spielertyp == 3 && g.NeigtZuUeberreaktionen == "Ja");
}

TEST(PlayerDescription, FaultsAreRefusedWithAGermanMessage) {
    const struct {
        const char* base;
        const char* path;
        const char* value;   // null: removed
        const char* message; // part of the message
    } cases[] = {
        {kAnna, "Name", nullptr, "\"Name\" fehlt"},
        {kAnna, "Name", "\"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn\"", "länger als 50"},
        {kAnna, "Motto", "\"Łódź\"", "Windows-1252"},
        {kAnna, "Nationalität", "\"x\"", "unbekanntes Feld"},
        {kAnna, "Datei", "\"ANNA_1.PLY\"", "\"_\""},
        {kAnna, "Datei", "\"ANNA.PLX\"", ".ply"},
        {kAnna, "Automat", "{}", "genau eines"},
        {kAnna, "Eigenschaften", "{}", "nur für Automaten"},
        {kAnna, "Situationen/MDD", "[10, 3, 3]", "zusammen"},
        {kAnna, "Situationen/NKD", nullptr, "\"NKD\""},
        {kEck, "Automat/NKK", "\"KX\"", "unbekannter Zug"},
        {kEck, "Eigenschaften", nullptr, "braucht \"Eigenschaften\""},
        {kEck, "Eigenschaften/IstFriedlich", "\"Vielleicht\"", "\"IstFriedlich\""},
    };
    for (const auto& c : cases) {
        QJsonObject o = json(c.base);
        patch(o, QString::fromUtf8(c.path), c.value);
        const QString m = errorOf([&] { PlayerFromJson(o); });
        EXPECT_TRUE(m.contains(QString::fromUtf8(c.message))) << c.message << ": " << qPrintable(m);
    }
}

TEST(PlayerDescription, FileHoldsOnePlayerOrAListAndWritesAllOrNothing) {
    TempRoot root;
    const QByteArray anna(kAnna), eck(kEck);
    EXPECT_EQ(ReadPlayerDescriptions(root.write("eins.json", anna)).size(), 1u);
    EXPECT_EQ(ReadPlayerDescriptions(root.write("liste.json", "[" + anna + "," + eck + "]")).size(),
              2u);
    auto players =
        ReadPlayerDescriptions(root.write("spieler.json", "{\"Spieler\": [" + eck + "]}"));
    ASSERT_EQ(players.size(), 1u);
    const QString broken = root.write("kaputt.json", "[" + anna + ",");
    EXPECT_TRUE(errorOf([&] { ReadPlayerDescriptions(broken); }).contains("kaputt.json"));

    const QString folder = root.root() + "neu/SpielerStamm";
    players.push_back(PlayerFromJson(json(kAnna)));
    ASSERT_EQ(WritePlayerDescriptions(players, folder).size(), 2);
    EXPECT_EQ(bytesOf(readPlayerFile(folder + "/ECK.PLY")), bytesOf(players[0].Record));

    // The same file named twice, in another letter case: nothing is written.
    players[0].Datei = "anna.ply";
    const QString empty = root.programFolder() + "SpielerStamm/";
    EXPECT_THROW(WritePlayerDescriptions(players, empty), WendrakError);
    EXPECT_TRUE(QDir(empty).entryList(QDir::Files).isEmpty());
}

// The shipped store ------------------------------------------------------------------

TEST(ShippedStore, IsWhatItsDescriptionsGenerate) {
    const QString descriptions = TempRoot::sourceData() + "players/";
    std::vector<PlayerDescription> players;
    for (const QString& name : platform::listFolder(descriptions, "*.json")) {
        auto more = ReadPlayerDescriptions(descriptions + name);
        players.insert(players.end(), more.begin(), more.end());
    }
    ASSERT_FALSE(players.empty());

    std::set<QString> described;
    for (const PlayerDescription& d : players) {
        described.insert(platform::ansiUpper(d.Datei));
        const QString path = storeFolder() + d.Datei;
        ASSERT_TRUE(QFile::exists(path)) << qPrintable(d.Datei);
        EXPECT_EQ(bytesOf(readPlayerFile(path)), bytesOf(d.Record))
            << qPrintable(d.Datei) << " is stale: regenerate it with wendrak-mkplayer";
    }
    for (const QString& file : platform::listFolder(storeFolder(), "*.ply"))
        EXPECT_TRUE(described.count(platform::ansiUpper(file)))
            << qPrintable(file) << " has no description";
}

TEST(ShippedStore, CoversEveryCategoryAndTypeWithDistinctNamesAndTheKnownAutomata) {
    const TGroup group;
    const QStringList files = platform::listFolder(storeFolder(), "*.ply");
    std::map<QString, int> perCategory;
    std::array<int, 7> perType{};
    std::set<QString> names;
    for (const QString& file : files) {
        const SpielerTyp p = readPlayerFile(storeFolder() + file);
        const QString name = p.Name.get(), category = group.GetPlayerCategory(p);
        names.insert(name);
        ++perCategory[category];
        ASSERT_TRUE(p.Spielertyp >= 1 && p.Spielertyp <= 6) << qPrintable(file);
        ++perType[std::size_t(p.Spielertyp)];
        // The choosers find a trial player under the type its name and file name promise.
        if (name.startsWith("Typ")) {
            EXPECT_TRUE(category == "2" && file.toLower().contains("typ" + name.mid(3, 1)))
                << qPrintable(file);
        }
    }
    EXPECT_GE(files.size(), 125);
    EXPECT_EQ(names.size(), static_cast<size_t>(files.size())) << "names must be distinct";
    for (const char* c : {"0", "1", "2", "3", "4", "9"})
        EXPECT_GE(perCategory[c], 1) << "category " << c;
    for (int t = 1; t <= 6; ++t)
        EXPECT_GE(perType[std::size_t(t)], 5) << "type " << t;
    for (const auto& [file, name, type] :
         {std::tuple{"ECK.PLY", "Eck", 5}, std::tuple{"GRAF.PLY", "Graf", 3},
          std::tuple{"TYP5YOKA.PLY", "Typ5 Yoka", 5},
          std::tuple{"UNTERWERFER3TRIBUT.PLY", "Unterwerfer 3 Tribut", 1}}) {
        const SpielerTyp p = readPlayerFile(storeFolder() + file);
        EXPECT_TRUE(p.IstAutomat == 1 && p.Name.get() == name && p.Spielertyp == type) << file;
    }
}

// Teachers show the six types with the trial players, so the type a trial player's name
// promises must be what the ranking shows and what its traits say. The ranking judges the
// file as it lies in the current game, once as shipped and again after a run has derived
// its traits and rewritten it; the two rules weigh some situations differently.
TEST(ShippedStore, TrialPlayersAreTheirNamedTypeInTheRankingAndInTheirTraits) {
    const TempRoot root;
    TournamentState state;
    state.WendrakPath = root.programFolder();
    const QString game = CurrentGameFolder(state);
    std::vector<int> promised;
    for (const QString& file : platform::listFolder(storeFolder(), "*.ply")) {
        const QString name = readPlayerFile(storeFolder() + file).Name.get();
        const int type = name.size() >= 4 && name.startsWith("Typ") ? name.mid(3, 1).toInt() : 0;
        if (type < 1 || type > 6)
            continue;
        ASSERT_TRUE(QFile::copy(storeFolder() + file, game + file)) << qPrintable(file);
        state.Teilnehmer.push_back({name, file});
        promised.push_back(type);
    }
    ASSERT_GE(promised.size(), 6u * 21u);
    state.AnzTeilnehmerHigh = static_cast<std::int32_t>(promised.size()) - 1;

    TypeTallies shipped, derived;
    std::array<std::int64_t, 7> expected{};
    for (std::size_t i = 0; i < promised.size(); ++i) {
        const TeilnehmerTyp& t = state.Teilnehmer[i];
        const int want = promised[i];
        ++expected[std::size_t(want)];
        EXPECT_EQ(ClassifyPlayerType(state, int(i), shipped), want)
            << qPrintable(t.Name) << ": ranking of the shipped file";
        DerivePlayerTraits(game + t.Datei);
        EXPECT_EQ(readPlayerFile(game + t.Datei).Spielertyp, want)
            << qPrintable(t.Name) << ": type number from the traits";
        EXPECT_EQ(ClassifyPlayerType(state, int(i), derived), want)
            << qPrintable(t.Name) << ": ranking after the traits were derived";
    }
    EXPECT_EQ(shipped.AnzTyp, expected);
    EXPECT_EQ(derived.AnzTyp, expected);
}
