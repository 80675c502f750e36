// Player descriptions and the shipped player store: a description becomes exactly the
// record it says, faulty descriptions are refused with a message and write nothing, and
// the store in data/ is what its descriptions generate, covers every category and holds
// every member of the shipped experiments' groups.
#include "players/PlayerDescription.h"

#include "TempRoot.h"
#include "engine/Ranking.h"
#include "engine_fixtures.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "players/uPelkam2Wendrak.h"
#include "players/uTGroup.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

using testing::HasSubstr, testing::ThrowsMessage;

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

// The description text with key, or table/key, set to a JSON value, or removed when null.
QJsonObject patched(const char* text, const QString& path, const char* value) {
    QJsonObject o = json(text);
    const QStringList keys = path.split('/');
    QJsonObject inner = keys.size() > 1 ? o[keys[0]].toObject() : o;
    inner.insert(keys.last(), value == nullptr
                                  ? QJsonValue(QJsonValue::Undefined) // removes the key
                                  : QJsonDocument::fromJson(QByteArray("[") + value + "]")[0]);
    o.insert(keys[0], inner);
    return keys.size() > 1 ? o : inner;
}

} // namespace

TEST(PlayerDescription, DescriptionBecomesTheRecordItSaysWithTraitsDerivedOrGiven) {
    const PlayerDescription d = // the record may name a read-only player
        PlayerFromJson(patched(kAnna, "Dateiname", "\"Vorlage.plx\""));
    const SpielerTyp& p = d.Record;
    EXPECT_TRUE(d.Datei == "ANNA.PLY" && p.Dateiname.get() == "Vorlage.plx");
    EXPECT_TRUE(p.Beruf.get() == QString::fromUtf8("Schülerin") && p.IstAutomat == 0);
    EXPECT_TRUE(p.Situationen[SitNKK].AnzahlK == 10 && p.Situationen[SitNKK].AnzahlD == 0 &&
                p.Situationen[SitPKK].Anzahl == 4 && p.Situationen[SitPKK].AnzahlD == 3);
    EXPECT_TRUE(p.Spielertyp == 6 && p.GeschaeftsmaessigAusbeutbar.len == 0); // for test runs

    const SpielerTyp a = PlayerFromJson(json(kEck)).Record;
    EXPECT_TRUE(a.IstAutomat == 1 && a.Situationen[SitPKK].AnzahlK == -1);
    const AutomatTyp& mdk = a.Automat[SitMDK]; // "dk": letters in any case, third empty
    EXPECT_TRUE(mdk.Position == 0 && mdk.zug(1) == MoveD && mdk.zug(2) == MoveK &&
                mdk.zug(3) == MoveEmpty);
    EXPECT_TRUE(a.Automat[SitMKD].zug(3) == MoveZ && a.Automat[SitMKK].zug(1) == MoveEmpty);
    EXPECT_TRUE(a.GeschaeftsmaessigAusbeutbar == "k.A." && a.Friedfertigkeit == 1000);
}

TEST(PlayerDescription, FaultsAreRefusedWithAGermanMessage) {
    // Description, key or table/key, JSON value (null: removed), part of the message.
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        // clang-format off
        {kAnna, "Name", nullptr, "\"Name\" fehlt"},
        {kAnna, "Name", "\"nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn\"", "länger als 50"},
        {kAnna, "Motto", "\"Łódź\"", "Windows-1252"},
        {kAnna, "Datei", "\"ANNA_1.PLY\"", "\"_\""}, {kAnna, "Automat", "{}", "genau eines"},
        {kAnna, "Situationen/MDD", "[10, 3, 3]", "zusammen"},
        {kEck, "Automat/NKK", "\"KX\"", "unbekannter Zug"},
        {kEck, "Eigenschaften/IstFriedlich", "\"Vielleicht\"", "\"IstFriedlich\""}};
    // clang-format on
    for (const auto& [base, path, value, message] : rows) {
        const QJsonObject o = patched(base, QString::fromUtf8(path), value);
        EXPECT_THAT([&] { PlayerFromJson(o); }, ThrowsMessage<WendrakError>(HasSubstr(message)));
    }
}

TEST(PlayerDescription, FileHoldsOnePlayerOrAListAndWritesAllOrNothing) {
    TempRoot root;
    const QByteArray anna(kAnna), eck(kEck);
    for (const QByteArray& one : {anna, "{\"Spieler\": [" + eck + "]}"})
        EXPECT_EQ(ReadPlayerDescriptions(root.write("eins.json", one)).size(), 1u);
    auto players = ReadPlayerDescriptions(root.write("liste.json", "[" + eck + "," + anna + "]"));
    ASSERT_EQ(players.size(), 2u);
    const QString bad = root.write("kaputt.json", "[" + anna + ",");
    EXPECT_THAT([&] { ReadPlayerDescriptions(bad); },
                ThrowsMessage<WendrakError>(HasSubstr("kaputt")));

    const QString folder = root.root() + "neu/SpielerStamm";
    ASSERT_EQ(WritePlayerDescriptions(players, folder).size(), 2);
    EXPECT_EQ(bytesOf(readPlayerFile(folder + "/ECK.PLY")), bytesOf(players[0].Record));

    // The same file named twice, in another letter case: nothing is written.
    players[0].Datei = "anna.ply";
    const QString empty = root.programFolder() + "SpielerStamm/";
    EXPECT_THROW(WritePlayerDescriptions(players, empty), WendrakError);
    EXPECT_TRUE(QDir(empty).entryList(QDir::Files).isEmpty());
}

// Teachers show the six types with the trial players ("Typ3 Otto"): the type a name promises
// is what the traits say and what the ranking shows, for the file as shipped and after a run
// has derived its traits and rewritten it (the two rules weigh some situations differently).
TEST(ShippedStore, IsWhatItsDescriptionsGenerateWithEveryCategoryTrialTypeAndExperimentMember) {
    const QString descriptions = TempRoot::sourceData() + "players/";
    std::map<QString, QByteArray> described; // upper-case file name: generated bytes
    for (const QString& name : platform::listFolder(descriptions, "*.json"))
        for (const PlayerDescription& d : ReadPlayerDescriptions(descriptions + name))
            described[platform::ansiUpper(d.Datei)] = bytesOf(d.Record);
    const QString store = TempRoot::sourceData() + "Wendrak/SpielerStamm/";
    const QStringList files = platform::listFolder(store, "*.ply");
    EXPECT_EQ(described.size(), static_cast<size_t>(files.size())) << "a description has no file";

    const TempRoot root;
    const TGroup group;
    std::set<QString> categories;
    std::set<int> trialTypes;
    std::set<QString> names;
    for (const QString& file : files) {
        const SpielerTyp p = readPlayerFile(store + file);
        EXPECT_EQ(bytesOf(p), described[platform::ansiUpper(file)])
            << qPrintable(file) << " is stale or has no description: run wendrak-mkplayer";
        const QString name = p.Name.get(), category = group.GetPlayerCategory(p);
        names.insert(name);
        categories.insert(category);
        if (!name.startsWith("Typ"))
            continue;
        // The choosers find a trial player under the type its name and file name promise.
        EXPECT_TRUE(category == "2" && file.toLower().contains("typ" + name.mid(3, 1)))
            << qPrintable(file);
        const int type = name.mid(3, 1).toInt();
        if (type < 1 || type > 6)
            continue;
        trialTypes.insert(type);
        const QString copy = root.programFolder() + "Aktuelles Spiel/" + file;
        ASSERT_TRUE(QFile::copy(store + file, copy)) << qPrintable(file);
        EXPECT_EQ(PlayerTypeOf(p, file), type) << qPrintable(name) << ": ranking as shipped";
        DerivePlayerTraits(copy);
        const SpielerTyp derived = readPlayerFile(copy);
        EXPECT_EQ(derived.Spielertyp, type) << qPrintable(name) << ": type from the traits";
        EXPECT_EQ(PlayerTypeOf(derived, file), type) << qPrintable(name) << ": ranking derived";
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(files.size())) << "names must be distinct";
    EXPECT_EQ(categories, std::set<QString>({"0", "1", "2", "3", "4", "9"}));
    EXPECT_EQ(trialTypes, std::set<int>({1, 2, 3, 4, 5, 6}));
    // Each shipped experiment's group holds players of the store.
    QList<qsizetype> sizes;
    const QString experiments = TempRoot::sourceData() + "Wendrak/Standardexperimente";
    for (QDirIterator it(experiments, {"group.sgp"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QStringList members = group.ReadGroupFile(QFileInfo(it.next()).path());
        for (const QString& member : members)
            EXPECT_TRUE(files.contains(member)) << qPrintable(member);
        sizes << members.size();
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, QList<qsizetype>({6, 10, 10, 125}));
    // The automata the ranking knows by file name are shipped under those names.
    for (const auto& [file, type] :
         {std::pair{"ECK.PLY", 5}, {"GRAF.PLY", 3}, {"UNTERWERFER3TRIBUT.PLY", 1}}) {
        const SpielerTyp p = readPlayerFile(store + file);
        EXPECT_TRUE(p.IstAutomat == 1 && p.Spielertyp == type) << file;
    }
}
