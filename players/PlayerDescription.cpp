// Player descriptions: JSON to SpielerTyp. Every text is checked against the width of its
// record field and against Windows-1252 instead of being cut or turned into "?", so what
// the description says is exactly what the player file holds.
#include "players/PlayerDescription.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"
#include "players/uPelkam2Wendrak.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

namespace {

[[noreturn]] void fail(const QString& who, const QString& what) {
    throw WendrakError(QStringLiteral("Spieler \"%1\": %2").arg(who, what));
}

QString text(const QJsonObject& o, const QString& who, const QString& key, int width,
             bool required = false) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined()) {
        if (required)
            fail(who, QStringLiteral("das Feld \"%1\" fehlt.").arg(key));
        return {};
    }
    if (!v.isString())
        fail(who, QStringLiteral("\"%1\" muss ein Text sein.").arg(key));
    const QString s = v.toString();
    if (platform::fromAnsi(platform::toAnsi(s)) != s)
        fail(who, QStringLiteral("\"%1\" enthält Zeichen außerhalb von Windows-1252.").arg(key));
    if (s.size() > width)
        fail(who, QStringLiteral("\"%1\" ist länger als %2 Zeichen.").arg(key).arg(width));
    return s;
}

int situationIndex(const QString& code) {
    for (int i = 0; i < SituationCount; ++i)
        if (code == QLatin1String(situationCode(i)))
            return i;
    return -1;
}

// Every situation exactly once, keyed by its code.
template <typename Fill>
void eachSituation(const QJsonValue& table, const QString& who, const QString& key, Fill fill) {
    if (!table.isObject())
        fail(who, QStringLiteral("\"%1\" muss ein Objekt mit den 13 Situationen sein.").arg(key));
    const QJsonObject o = table.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        if (situationIndex(it.key()) < 0)
            fail(who, QStringLiteral("unbekannte Situation \"%1\" in \"%2\".").arg(it.key(), key));
    for (int i = 0; i < SituationCount; ++i) {
        const QString code = QLatin1String(situationCode(i));
        if (!o.contains(code))
            fail(who, QStringLiteral("in \"%1\" fehlt die Situation \"%2\".").arg(key, code));
        fill(i, code, o.value(code));
    }
}

void readProfile(SpielerTyp& p, const QJsonValue& table, const QString& who) {
    eachSituation(
        table, who, QStringLiteral("Situationen"),
        [&](int i, const QString& code, const QJsonValue& v) {
            // A number is the K cases of ten; [n, k, d] gives all three counts.
            SituationTyp s{};
            if (v.isDouble() && v.toDouble() == v.toInt() && v.toInt() >= 0 && v.toInt() <= 10) {
                s = {10, v.toInt(), 10 - v.toInt()};
            } else if (v.isArray() && v.toArray().size() == 3) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& n : a)
                    if (!n.isDouble() || n.toDouble() != n.toInt())
                        fail(who,
                             QStringLiteral("\"%1\" muss drei ganze Zahlen enthalten.").arg(code));
                s = {a[0].toInt(), a[1].toInt(), a[2].toInt()};
            } else {
                fail(who, QStringLiteral("\"%1\" muss eine Zahl von 0 bis 10 oder [n, k, d] sein.")
                              .arg(code));
            }
            if (s.AnzahlK < 0 || s.AnzahlD < 0 || s.Anzahl != s.AnzahlK + s.AnzahlD)
                fail(who, QStringLiteral("\"%1\": die K- und D-Fälle müssen zusammen die Anzahl "
                                         "der Fälle ergeben.")
                              .arg(code));
            p.Situationen[i] = s;
        });
}

void readAutomaton(SpielerTyp& p, const QJsonValue& table, const QString& who) {
    p.IstAutomat = 1;
    for (SituationTyp& s : p.Situationen)
        s = {-1, -1, -1};
    eachSituation(
        table, who, QStringLiteral("Automat"),
        [&](int i, const QString& code, const QJsonValue& v) {
            // Up to three moves as letters: "K", "DDK", "" (an entry without moves).
            const QString moves = v.toString();
            if (!v.isString() || moves.size() > 3)
                fail(who, QStringLiteral("\"%1\" muss bis zu drei Züge aus K, D und Z nennen.")
                              .arg(code));
            AutomatTyp a{0, {MoveEmpty, MoveEmpty, MoveEmpty}};
            for (int m = 0; m < moves.size(); ++m) {
                const QChar c = moves.at(m).toUpper();
                if (c == QLatin1Char('K'))
                    a.Zug[m] = MoveK;
                else if (c == QLatin1Char('D'))
                    a.Zug[m] = MoveD;
                else if (c == QLatin1Char('Z'))
                    a.Zug[m] = MoveZ;
                else
                    fail(who, QStringLiteral("\"%1\": unbekannter Zug \"%2\".").arg(code, c));
            }
            p.Automat[i] = a;
        });
}

void readAnswers(SpielerTyp& p, const QJsonValue& value, const QString& who) {
    if (!value.isObject())
        fail(who, QStringLiteral("\"Eigenschaften\" muss ein Objekt sein."));
    const QJsonObject o = value.toObject();
    struct Field {
        const char* key;
        void (*set)(SpielerTyp&, const QString&);
    };
    static const Field fields[] = {
        {"IstKonsensorientiert",
         [](SpielerTyp& r, const QString& s) { r.IstKonsensorientiert.set(s); }},
        {"IstFriedlich", [](SpielerTyp& r, const QString& s) { r.IstFriedlich.set(s); }},
        {"GreiftNichtAn", [](SpielerTyp& r, const QString& s) { r.GreiftNichtAn.set(s); }},
        {"VerteidigtSicher", [](SpielerTyp& r, const QString& s) { r.VerteidigtSicher.set(s); }},
        {"NeigtZumAngreifen", [](SpielerTyp& r, const QString& s) { r.NeigtZumAngreifen.set(s); }},
        {"NeigtZumAusbeuten", [](SpielerTyp& r, const QString& s) { r.NeigtZumAusbeuten.set(s); }},
        {"NeigtZuUeberreaktionen",
         [](SpielerTyp& r, const QString& s) { r.NeigtZuUeberreaktionen.set(s); }},
        {"GeschaeftsmaessigAusbeutbar",
         [](SpielerTyp& r, const QString& s) { r.GeschaeftsmaessigAusbeutbar.set(s); }},
    };
    QSet<QString> known{QStringLiteral("Spielertyp"), QStringLiteral("Friedfertigkeit")};
    for (const Field& f : fields) {
        const QString key = QLatin1String(f.key);
        known.insert(key);
        const QJsonValue v = o.value(key);
        const QString s = v.toString();
        if (!v.isString() || (s != "Ja" && s != "Nein" && s != "k.A."))
            fail(who, QStringLiteral("\"%1\" muss \"Ja\", \"Nein\" oder \"k.A.\" sein.").arg(key));
        f.set(p, s);
    }
    const QJsonValue type = o.value(QStringLiteral("Spielertyp"));
    if (!type.isDouble() || type.toInt() < 1 || type.toInt() > 6 || type.toDouble() != type.toInt())
        fail(who, QStringLiteral("\"Spielertyp\" muss eine Zahl von 1 bis 6 sein."));
    p.Spielertyp = type.toInt();
    // The peacefulness score of an automaton the program does not know by name is never
    // computed, only kept: its author gives it here.
    const QJsonValue peace = o.value(QStringLiteral("Friedfertigkeit"));
    if (!peace.isUndefined()) {
        if (!peace.isDouble() || peace.toInt() < 0 || peace.toInt() > 1000 ||
            peace.toDouble() != peace.toInt())
            fail(who, QStringLiteral("\"Friedfertigkeit\" muss eine Zahl von 0 bis 1000 sein."));
        p.Friedfertigkeit = peace.toInt();
    }
    for (auto it = o.begin(); it != o.end(); ++it)
        if (!known.contains(it.key()))
            fail(who, QStringLiteral("unbekannte Eigenschaft \"%1\".").arg(it.key()));
}

bool validFileName(const QString& name) {
    return name.size() > 4 && name.toLower().endsWith(QLatin1String(ext::Ply)) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

PlayerDescription PlayerFromJson(const QJsonObject& o) {
    static const QSet<QString> keys = {"Datei",     "Dateiname",     "Name",    "Geschlecht",
                                       "Alter",     "Nationalitaet", "Beruf",   "Motto",
                                       "Bilddatei", "Situationen",   "Automat", "Eigenschaften",
                                       "Kommentar"};
    const QString who =
        o.value(QStringLiteral("Name"))
            .toString(o.value(QStringLiteral("Datei")).toString(QStringLiteral("?")));
    for (auto it = o.begin(); it != o.end(); ++it)
        if (!keys.contains(it.key()))
            fail(who, QStringLiteral("unbekanntes Feld \"%1\".").arg(it.key()));

    PlayerDescription d;
    d.Record = zeroedPlayer();
    SpielerTyp& p = d.Record;
    d.Datei = text(o, who, QStringLiteral("Datei"), 50, true);
    // Group files drop every "_" of a member name, so such a player could not be found.
    if (!validFileName(d.Datei) || d.Datei.contains(QLatin1Char('_')))
        fail(who, QStringLiteral("\"Datei\" muss ein Dateiname auf \".ply\" ohne Ordner und "
                                 "ohne \"_\" sein."));
    p.Name.set(text(o, who, QStringLiteral("Name"), 50, true));
    if (p.Name.len == 0)
        fail(who, QStringLiteral("der Name ist leer."));
    p.Dateiname.set(o.contains(QStringLiteral("Dateiname"))
                        ? text(o, who, QStringLiteral("Dateiname"), 50)
                        : d.Datei);
    p.Geschlecht.set(text(o, who, QStringLiteral("Geschlecht"), 1));
    p.Alter.set(text(o, who, QStringLiteral("Alter"), 3));
    p.Nationalitaet.set(text(o, who, QStringLiteral("Nationalitaet"), 10));
    p.Beruf.set(text(o, who, QStringLiteral("Beruf"), 255));
    p.Motto.set(text(o, who, QStringLiteral("Motto"), 255));
    p.Bilddatei.set(text(o, who, QStringLiteral("Bilddatei"), 50));

    const bool profile = o.contains(QStringLiteral("Situationen"));
    const bool automaton = o.contains(QStringLiteral("Automat"));
    if (profile == automaton)
        fail(who, QStringLiteral("genau eines von \"Situationen\" und \"Automat\" angeben."));
    if (profile) {
        if (o.contains(QStringLiteral("Eigenschaften")))
            fail(who, QStringLiteral("\"Eigenschaften\" gibt es nur für Automaten; bei einem "
                                     "Profil werden sie abgeleitet."));
        readProfile(p, o.value(QStringLiteral("Situationen")), who);
    } else {
        readAutomaton(p, o.value(QStringLiteral("Automat")), who);
        if (o.contains(QStringLiteral("Eigenschaften")))
            readAnswers(p, o.value(QStringLiteral("Eigenschaften")), who);
    }
    DeriveRecordTraits(p);
    if (p.Spielertyp == 0)
        fail(who, QStringLiteral("ein Automat, den das Programm nicht am Namen erkennt, "
                                 "braucht \"Eigenschaften\"."));
    return d;
}

std::vector<PlayerDescription> ReadPlayerDescriptions(const QString& path) {
    const QByteArray bytes = platform::readFileBytes(path);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    const QString file = platform::extractFileName(path);
    if (doc.isNull())
        throw WendrakError(QStringLiteral("%1: kein gültiges JSON (Zeichen %2: %3).")
                               .arg(file)
                               .arg(error.offset)
                               .arg(error.errorString()));
    QJsonArray list;
    if (doc.isArray())
        list = doc.array();
    else if (doc.object().contains(QStringLiteral("Spieler")))
        list = doc.object().value(QStringLiteral("Spieler")).toArray();
    else
        list.append(doc.object());

    std::vector<PlayerDescription> players;
    for (const QJsonValue& v : list) {
        if (!v.isObject())
            throw WendrakError(QStringLiteral("%1: jeder Spieler muss ein Objekt sein.").arg(file));
        try {
            players.push_back(PlayerFromJson(v.toObject()));
        } catch (const WendrakError& e) {
            throw WendrakError(file + QStringLiteral(": ") + e.message());
        }
    }
    return players;
}

QStringList WritePlayerDescriptions(const std::vector<PlayerDescription>& players,
                                    const QString& folder) {
    QSet<QString> seen;
    for (const PlayerDescription& d : players) {
        const QString key = platform::ansiUpper(d.Datei);
        if (seen.contains(key))
            throw WendrakError(
                QStringLiteral("Die Datei \"%1\" ist mehrfach beschrieben.").arg(d.Datei));
        seen.insert(key);
    }
    const QString target = platform::withTrailingSlash(folder);
    if (!platform::forceFolders(target))
        throw WendrakError(
            QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(target));
    QStringList written;
    for (const PlayerDescription& d : players) {
        const QString path = target + d.Datei;
        writePlayerFile(path, d.Record);
        written.append(path);
    }
    return written;
}
