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
#include <QProcess>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <set>

namespace {

QJsonObject json(const char* text) {
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

const char* kAnna = R"({
  "Datei": "ANNA.PLY", "Name": "Anna Sonnenschein", "Geschlecht": "w", "Alter": "14",
  "Nationalitaet": "deutsch", "Beruf": "Schülerin", "Motto": "Mit einem Lächeln.",
  "Kommentar": "immer K",
  "Situationen": {"1. Tag": 10, "MDD": 10, "MDK": 10, "MKD": 10, "MKK": 10, "NDD": 10,
                  "NDK": 10, "NKD": 10, "NKK": 10, "PDD": 10, "PDK": 10, "PKD": 10,
                  "PKK": [4, 1, 3]}
})";

const char* kEck = R"({
  "Datei": "ECK.PLY", "Name": "Eck",
  "Automat": {"1. Tag": "K", "MDD": "D", "MDK": "dk", "MKD": "KDZ", "MKK": "", "NDD": "D",
              "NDK": "D", "NKD": "K", "NKK": "K", "PDD": "D", "PDK": "K", "PKD": "K", "PKK": "K"},
  "Eigenschaften": {"IstKonsensorientiert": "Ja", "IstFriedlich": "Ja", "GreiftNichtAn": "Ja",
                    "VerteidigtSicher": "Ja", "NeigtZumAngreifen": "Nein",
                    "NeigtZumAusbeuten": "Nein", "NeigtZuUeberreaktionen": "Nein",
                    "GeschaeftsmaessigAusbeutbar": "k.A.", "Spielertyp": 5,
                    "Friedfertigkeit": 1000}
})";

QString messageOf(const QJsonObject& o) {
    try {
        PlayerFromJson(o);
    } catch (const WendrakError& e) {
        return e.message();
    }
    return QStringLiteral("(kein Fehler)");
}

QString storeFolder() {
    return TempRoot::sourceData() + "Wendrak/SpielerStamm/";
}

} // namespace

TEST(PlayerDescription, ProfileBecomesAZeroedRecordWithDerivedTraits) {
    const PlayerDescription d = PlayerFromJson(json(kAnna));
    const SpielerTyp& p = d.Record;
    EXPECT_EQ(d.Datei, "ANNA.PLY");
    EXPECT_EQ(p.Dateiname.get(), "ANNA.PLY");
    EXPECT_EQ(p.Name.get(), "Anna Sonnenschein");
    EXPECT_EQ(p.Beruf.get(), QString::fromUtf8("Schülerin"));
    EXPECT_EQ(p.IstAutomat, 0);
    EXPECT_EQ(p.Situationen[SitNKK].Anzahl, 10);
    EXPECT_EQ(p.Situationen[SitNKK].AnzahlK, 10);
    EXPECT_EQ(p.Situationen[SitNKK].AnzahlD, 0);
    EXPECT_EQ(p.Situationen[SitPKK].Anzahl, 4);
    EXPECT_EQ(p.Situationen[SitPKK].AnzahlD, 3);
    EXPECT_EQ(p.Spielertyp, 6);
    EXPECT_EQ(p.IstFriedlich.get(), "Ja");
    EXPECT_EQ(p.MasseGueltig, 0);
    EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.len, 0); // left to the test runs
    const auto* bytes = reinterpret_cast<const unsigned char*>(&p);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bytes[280 + i], 0); // automaton table untouched
    for (int i = 1624; i < 2400; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
}

TEST(PlayerDescription, AutomatonGetsItsMovesAndEmptyProfile) {
    const SpielerTyp p = PlayerFromJson(json(kEck)).Record;
    EXPECT_EQ(p.IstAutomat, 1);
    for (const SituationTyp& s : p.Situationen) {
        EXPECT_EQ(s.Anzahl, -1);
        EXPECT_EQ(s.AnzahlK, -1);
        EXPECT_EQ(s.AnzahlD, -1);
    }
    EXPECT_EQ(p.Automat[SitMDK].Position, 0);
    EXPECT_EQ(p.Automat[SitMDK].zug(1), MoveD);
    EXPECT_EQ(p.Automat[SitMDK].zug(2), MoveK);
    EXPECT_EQ(p.Automat[SitMDK].zug(3), MoveEmpty);
    EXPECT_EQ(p.Automat[SitMKD].zug(3), MoveZ);
    EXPECT_EQ(p.Automat[SitMKK].zug(1), MoveEmpty);
    EXPECT_EQ(p.Spielertyp, 5);
    EXPECT_EQ(p.GeschaeftsmaessigAusbeutbar.get(), "k.A.");
    EXPECT_EQ(p.NeigtZumAngreifen.get(), "Nein");
    EXPECT_EQ(p.Friedfertigkeit, 1000);
}

TEST(PlayerDescription, KnownAutomatonTakesTheAnswersOfItsName) {
    QJsonObject o = json(kEck);
    o.remove("Eigenschaften");
    o["Name"] = "Graf";
    o["Datei"] = "GRAF.PLY";
    const SpielerTyp p = PlayerFromJson(o).Record;
    EXPECT_EQ(p.Spielertyp, 3);
    EXPECT_EQ(p.NeigtZuUeberreaktionen.get(), "Ja");
}

TEST(PlayerDescription, FileNameFieldMayNameAReadOnlyPlayer) {
    QJsonObject o = json(kAnna);
    o["Dateiname"] = "Vorlage.plx";
    EXPECT_EQ(PlayerFromJson(o).Record.Dateiname.get(), "Vorlage.plx");
}

TEST(PlayerDescription, FaultsAreRefusedWithAGermanMessage) {
    struct Case {
        const char* what;
        std::function<void(QJsonObject&)> change;
        const char* message; // part of the message
    };
    const Case cases[] = {
        {"ohne Name", [](QJsonObject& o) { o.remove("Name"); }, "\"Name\" fehlt"},
        {"Name zu lang", [](QJsonObject& o) { o["Name"] = QString(51, 'n'); }, "länger als 50"},
        {"kein Windows-1252", [](QJsonObject& o) { o["Motto"] = QString::fromUtf8("Łódź"); },
         "Windows-1252"},
        {"unbekanntes Feld", [](QJsonObject& o) { o["Nationalität"] = "x"; }, "unbekanntes Feld"},
        {"Unterstrich", [](QJsonObject& o) { o["Datei"] = "ANNA_1.PLY"; }, "\"_\""},
        {"keine .ply", [](QJsonObject& o) { o["Datei"] = "ANNA.PLX"; }, ".ply"},
        {"beide Tabellen", [](QJsonObject& o) { o["Automat"] = QJsonObject(); }, "genau eines"},
        {"Situation fehlt",
         [](QJsonObject& o) {
             QJsonObject s = o["Situationen"].toObject();
             s.remove("NKD");
             o["Situationen"] = s;
         },
         "\"NKD\""},
        {"n ungleich k + d",
         [](QJsonObject& o) {
             QJsonObject s = o["Situationen"].toObject();
             s["MDD"] = QJsonArray({10, 3, 3});
             o["Situationen"] = s;
         },
         "zusammen"},
        {"Eigenschaften beim Profil", [](QJsonObject& o) { o["Eigenschaften"] = QJsonObject(); },
         "nur für Automaten"},
    };
    for (const Case& c : cases) {
        QJsonObject o = json(kAnna);
        c.change(o);
        const QString m = messageOf(o);
        EXPECT_TRUE(m.contains(QString::fromUtf8(c.message))) << c.what << ": " << qPrintable(m);
    }

    QJsonObject automaton = json(kEck);
    automaton["Automat"] = [&] {
        QJsonObject a = automaton["Automat"].toObject();
        a["NKK"] = "KX";
        return a;
    }();
    EXPECT_TRUE(messageOf(automaton).contains("unbekannter Zug"));

    automaton = json(kEck);
    automaton.remove("Eigenschaften");
    EXPECT_TRUE(messageOf(automaton).contains("braucht \"Eigenschaften\""));

    automaton = json(kEck);
    QJsonObject answers = automaton["Eigenschaften"].toObject();
    answers["IstFriedlich"] = "Vielleicht";
    automaton["Eigenschaften"] = answers;
    EXPECT_TRUE(messageOf(automaton).contains("\"IstFriedlich\""));
}

TEST(PlayerDescription, FileHoldsOnePlayerOrAList) {
    TempRoot root;
    const QByteArray anna(kAnna), eck(kEck);
    const QString single = root.write("eins.json", anna);
    const QString array = root.write("liste.json", "[" + anna + "," + eck + "]");
    const QString named = root.write("spieler.json", "{\"Spieler\": [" + eck + "]}");
    EXPECT_EQ(ReadPlayerDescriptions(single).size(), 1u);
    EXPECT_EQ(ReadPlayerDescriptions(array).size(), 2u);
    EXPECT_EQ(ReadPlayerDescriptions(named).at(0).Datei, "ECK.PLY");

    const QString broken = root.write("kaputt.json", "[" + anna + ",");
    try {
        ReadPlayerDescriptions(broken);
        FAIL();
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("kaputt.json")) << e.what();
    }
}

TEST(PlayerDescription, WritesAllOrNothing) {
    TempRoot root;
    std::vector<PlayerDescription> players{PlayerFromJson(json(kAnna)), PlayerFromJson(json(kEck))};
    const QString folder = root.root() + "neu/SpielerStamm";
    ASSERT_EQ(WritePlayerDescriptions(players, folder).size(), 2);
    const SpielerTyp back = readPlayerFile(folder + "/ECK.PLY");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&back), 2400),
              QByteArray(reinterpret_cast<const char*>(&players[1].Record), 2400));

    // The same file named twice, in another letter case: nothing is written.
    players[1].Datei = "anna.ply";
    const QString empty = root.programFolder() + "SpielerStamm/";
    EXPECT_THROW(WritePlayerDescriptions(players, empty), WendrakError);
    EXPECT_TRUE(QDir(empty).entryList(QDir::Files).isEmpty());
}

TEST(PlayerDescription, ToolRefusesAFaultyDescriptionAndWritesNothing) {
    const char* bin = std::getenv("WENDRAK_BINARY_DIR");
    const QString tool = QString::fromLocal8Bit(bin ? bin : "") + "/wendrak-mkplayer";
    if (!bin || !QFile::exists(tool))
        GTEST_SKIP() << "wendrak-mkplayer not built";
    TempRoot root;
    const QString good = root.write("gut.json", QByteArray(kAnna));
    const QString bad = root.write("schlecht.json", QByteArray(kEck).replace("\"K\"", "\"Q\""));
    const QString target = root.root() + "ziel";

    QProcess run;
    run.start(tool, {target, good, bad});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(run.readAllStandardError()).contains("schlecht.json"));
    EXPECT_FALSE(QFile::exists(target + "/ANNA.PLY"));

    run.start(tool, {target, good});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(target + "/ANNA.PLY"));
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
        const SpielerTyp stored = readPlayerFile(path);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&stored), 2400),
                  QByteArray(reinterpret_cast<const char*>(&d.Record), 2400))
            << qPrintable(d.Datei) << " is stale: regenerate it with wendrak-mkplayer";
    }
    for (const QString& file : platform::listFolder(storeFolder(), "*.ply"))
        EXPECT_TRUE(described.count(platform::ansiUpper(file)))
            << qPrintable(file) << " has no description";
}

TEST(ShippedStore, CoversEveryCategoryTypeAndTheKnownAutomata) {
    const TGroup group;
    const QStringList files = platform::listFolder(storeFolder(), "*.ply");
    std::map<QString, int> perCategory;
    std::map<int, int> perType;
    std::set<QString> names;
    for (const QString& file : files) {
        EXPECT_FALSE(file.contains('_')) << qPrintable(file);
        const SpielerTyp p = readPlayerFile(storeFolder() + file);
        const QString name = p.Name.get();
        names.insert(name);
        const QString category = group.GetPlayerCategory(p);
        ++perCategory[category];
        ++perType[p.Spielertyp];
        EXPECT_GE(p.Spielertyp, 1) << qPrintable(file);
        EXPECT_LE(p.Spielertyp, 6) << qPrintable(file);
        EXPECT_FALSE(p.MasseGueltig) << qPrintable(file);
        // A trial player's name promises its type; the choosers find it under that type.
        if (name.startsWith("Typ")) {
            EXPECT_EQ(category, "2") << qPrintable(name);
            EXPECT_EQ(QString::number(p.Spielertyp), name.mid(3, 1)) << qPrintable(name);
            EXPECT_TRUE(file.toLower().contains("typ" + name.mid(3, 1))) << qPrintable(file);
        }
    }
    EXPECT_GE(files.size(), 125);
    EXPECT_EQ(names.size(), static_cast<size_t>(files.size())) << "names must be distinct";
    for (const char* c : {"0", "1", "2", "3", "4", "9"})
        EXPECT_GE(perCategory[c], 1) << "category " << c;
    for (int t = 1; t <= 6; ++t)
        EXPECT_GE(perType[t], 5) << "type " << t;

    struct Known {
        const char* file;
        const char* name;
        int type;
    };
    for (const Known& k : {Known{"ECK.PLY", "Eck", 5}, Known{"GRAF.PLY", "Graf", 3},
                           Known{"TYP5YOKA.PLY", "Typ5 Yoka", 5},
                           Known{"UNTERWERFER3TRIBUT.PLY", "Unterwerfer 3 Tribut", 1}}) {
        const SpielerTyp p = readPlayerFile(storeFolder() + k.file);
        EXPECT_EQ(p.IstAutomat, 1) << k.file;
        EXPECT_EQ(p.Name.get(), k.name) << k.file;
        EXPECT_EQ(p.Spielertyp, k.type) << k.file;
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
        TeilnehmerTyp t;
        t.Name = name;
        t.Datei = file;
        state.Teilnehmer.push_back(t);
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
