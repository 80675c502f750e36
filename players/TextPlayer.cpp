// Text player files (see TextPlayer.h).
#include "players/TextPlayer.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

namespace {

constexpr int kPairs = 40;
constexpr int kLineWidth = 50;
// Pairs (counted from 1) of the first-day answers and of the two count blocks.
constexpr int kFirstDay = 8;
constexpr int kCounts = 17;
constexpr int kCountsK = 29;

bool noValue(const QString& value) {
    return value.startsWith(QLatin1Char('<'));
}

// A count; "<" gives 0.
std::int32_t count(const QString& value, int pair, const QString& path) {
    if (noValue(value))
        return 0;
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    if (!ok || n < 0)
        throw WendrakError(QStringLiteral("In der Spielerdatei „%1“ steht in Zeile %2 „%3“ statt "
                                          "einer Anzahl. Es wurde kein Spieler gespeichert.")
                               .arg(platform::extractFileName(path))
                               .arg(2 * pair)
                               .arg(value));
    return n;
}

} // namespace

QString TextPlayerOutputPath(const QString& path) {
    return platform::changeFileExt(path, QLatin1String(ext::PlyUpper));
}

SpielerTyp ReadTextPlayer(const QString& path) {
    // A text file named like its player file would be replaced by it.
    if (QString::compare(platform::toSlashes(path), TextPlayerOutputPath(path),
                         Qt::CaseInsensitive) == 0)
        throw WendrakError(QStringLiteral("Die Datei „%1“ ist schon eine Spielerdatei; sie wird "
                                          "nicht als Textbeschreibung gelesen.")
                               .arg(platform::extractFileName(path)));
    const QStringList lines = platform::readAnsiLines(path);
    if (lines.size() < 2 * kPairs)
        throw WendrakError(
            QStringLiteral("Die Spielerdatei „%1“ ist unvollständig: Sie enthält "
                           "keine %2 Zeilenpaare. Es wurde kein Spieler gespeichert.")
                .arg(platform::extractFileName(path))
                .arg(kPairs));
    // The value of pair n (from 1), cut to the width that is read.
    const auto value = [&lines](int pair) { return lines.at(2 * pair - 1).left(kLineWidth); };

    SpielerTyp p = zeroedPlayer();
    p.Name.set(value(1));
    p.Geschlecht.set(value(2).left(1));
    p.Alter.set(noValue(value(3)) ? QStringLiteral("???") : value(3));
    p.Nationalitaet.set(noValue(value(4)) ? QStringLiteral("???") : value(4));

    SituationTyp& firstDay = p.Situationen[SitErsterTag];
    firstDay.Anzahl = 4;
    for (int pair = kFirstDay; pair < kFirstDay + 4; ++pair) {
        const QString v = value(pair);
        if (v.size() > 1 && v.at(1) == QLatin1Char('0'))
            ++firstDay.AnzahlK;
        else
            ++firstDay.AnzahlD;
    }
    for (int s = SitMDD; s < SituationCount; ++s) {
        SituationTyp& entry = p.Situationen[s];
        entry.Anzahl = count(value(kCounts + s - 1), kCounts + s - 1, path);
        entry.AnzahlK = count(value(kCountsK + s - 1), kCountsK + s - 1, path);
        // More cases with K than cases would leave a negative number of cases with D.
        if (entry.AnzahlK > entry.Anzahl)
            throw WendrakError(
                QStringLiteral("In der Spielerdatei „%1“ sind für %2 mehr Fälle mit "
                               "K (%3) als Fälle (%4) angegeben. Es wurde kein "
                               "Spieler gespeichert.")
                    .arg(platform::extractFileName(path), QString::fromLatin1(situationCode(s)))
                    .arg(entry.AnzahlK)
                    .arg(entry.Anzahl));
        entry.AnzahlD = entry.Anzahl - entry.AnzahlK;
    }

    p.Dateiname.set(TextPlayerOutputPath(path));
    p.Motto.set(QStringLiteral("Kein Motto zugeordnet !"));
    const QString unknown = QStringLiteral("K.A.");
    for (auto* answer : {&p.IstFriedlich, &p.GreiftNichtAn, &p.VerteidigtSicher,
                         &p.NeigtZumAngreifen, &p.NeigtZumAusbeuten, &p.NeigtZuUeberreaktionen})
        answer->set(unknown);
    p.Bilddatei.set(QStringLiteral("?"));
    return p;
}

SpielerTyp ImportTextPlayer(const QString& path) {
    const SpielerTyp player = ReadTextPlayer(path);
    writePlayerFile(TextPlayerOutputPath(path), player);
    return player;
}

void SaveTextPlayer(const QString& outputPath, SpielerTyp record, const PersonalFields& fields) {
    SetPersonalFields(record, fields, false);
    writePlayerFile(outputPath, record);
}
