#include "players/PlayerCard.h"

#include "platform/Ansi.h"
#include "platform/NumberFormat.h"
#include "platform/Paths.h"
#include "platform/Pictures.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"
#include "players/uPelkam2Wendrak.h"

int TypeNumberFromFileName(const QString& name) {
    const QString kept = name.section(QLatin1Char('_'), 0, 0);
    QString letters;
    for (const QChar c : kept)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            letters += c;
    const QString upper = letters.toUpper();
    if (upper != QLatin1String("TYPA") && upper != QLatin1String("TYPAE") &&
        upper != QLatin1String("TYPE"))
        return -1;
    const qsizetype e = kept.indexOf(QLatin1Char('E'));
    if (e < 0)
        return 0;
    // Only digits can follow the "E" here; an empty or overlong number is no integer.
    bool ok = false;
    const int number = kept.mid(e + 1).toInt(&ok, 10);
    return ok ? number : -1;
}

PlayerMeasureTexts FormatPlayerMeasures(const SpielerTyp& player) {
    using platform::formatGeneral;
    PlayerMeasureTexts t;
    t.KMass = formatGeneral(5000 - std::int64_t(player.ErgebnisGegenK), 2000);
    t.VMass = player.ErgebnisNachEntgegenkommen == -1
                  ? QStringLiteral("k.A.")
                  : formatGeneral(1000 - std::int64_t(player.ErgebnisNachEntgegenkommen), 1000);
    t.KOMass = formatGeneral(player.Friedfertigkeit, 1000);
    const int type = TypeNumberFromFileName(player.Name.get());
    t.AMass = type >= 0 ? formatGeneral(type, 10)
                        : formatGeneral(1000 - std::int64_t(player.ErgebnisGegenD), 1000);
    return t;
}

QString PicturePathInStore(const QString& store, const QString& bilddatei) {
    const QString name = platform::extractFileName(platform::toSlashes(bilddatei));
    if (name.isEmpty())
        return QString();
    return platform::withTrailingSlash(store) + name;
}

bool IsReadOnlyPlayer(const QString& path, const SpielerTyp& player) {
    return IsReadOnlyPlayerName(path) || IsReadOnlyPlayerName(player.Dateiname.get());
}

SpielerTyp PreparePlayerToShow(const QString& path, const PlayerTestRunsFn& testRuns) {
    const SpielerTyp stored = readPlayerFile(path);
    if (IsReadOnlyPlayer(path, stored))
        return stored;
    return testRuns ? testRuns(path) : updatePlayerFile(path, DeriveRecordTraits);
}

PlayerDetails ChoosePlayerDetails(const QString& store, const QString& fileName,
                                  const PlayerTestRunsFn& testRuns) {
    const SpielerTyp p = PreparePlayerToShow(platform::resolvePath(store + fileName), testRuns);
    PlayerDetails details;
    details.Lines = {
        p.Motto.get(),
        QString(),
        QStringLiteral("Name: ") + p.Name.get(),
        QStringLiteral("Alter: ") + p.Alter.get(),
        QStringLiteral("Geschlecht: ") + p.Geschlecht.get(),
        QStringLiteral("Nationalität: ") + p.Nationalitaet.get(),
        QStringLiteral("Beruf: ") + p.Beruf.get(),
        QStringLiteral("Spielertyp: ") + QString::number(p.Spielertyp),
        QString(),
        QStringLiteral("Ist konsensorientiert: ") + p.IstKonsensorientiert.get(),
        QStringLiteral("Ist friedlich: ") + p.IstFriedlich.get(),
        QString(),
        QStringLiteral("Verteidigt sich sicher: ") + p.VerteidigtSicher.get(),
        QStringLiteral("Geschm. ausbeutbar: ") + DisplayedGeschaeftsmaessigAusbeutbar(p),
        QString(),
        QStringLiteral("Neigt zum Angreifen: ") + p.NeigtZumAngreifen.get(),
        QStringLiteral("Neigt zum Ausbeuten: ") + p.NeigtZumAusbeuten.get(),
        QStringLiteral("Neigt zu Überreakt.: ") + p.NeigtZuUeberreaktionen.get(),
    };
    details.Picture = PicturePathInStore(store, p.Bilddatei.get());
    return details;
}

void SaveCardPlayer(const QString& path, SpielerTyp player, const PersonalFields& fields,
                    const QString& Bilddatei) {
    if (IsReadOnlyPlayer(path, player))
        throw WendrakError(QStringLiteral("Der Spieler \"%1\" ist schreibgeschützt und kann "
                                          "nicht gespeichert werden.")
                               .arg(platform::extractFileName(path)));
    SetPersonalFields(player, fields, true);
    player.Bilddatei.set(Bilddatei);
    player.MasseGueltig = 1;
    writePlayerFile(path, player);
}

namespace {

bool isStoreFileName(const QString& name) {
    const QString lower = name.toLower();
    return lower.contains(QLatin1String(ext::Ply)) || lower.contains(QLatin1String(ext::Plx)) ||
           lower == QLatin1String("x.txt") || lower == QLatin1String("group.sgp");
}

} // namespace

QString CopyPictureToStore(const QString& source, const QString& store,
                           const PictureCheckFn& isPicture) {
    const QString from = platform::resolvePath(source);
    const QString name = platform::extractFileName(from);
    if (isStoreFileName(name))
        throw WendrakError(QStringLiteral("Die Datei \"%1\" gehört zum Spielerstamm und kann "
                                          "nicht als Bild geladen werden.")
                               .arg(name));
    // The store's next write would remove a file of such a name as a leftover.
    if (platform::IsReplaceTemporaryName(name))
        throw WendrakError(QStringLiteral("Der Name \"%1\" ist den Zwischendateien des "
                                          "Programms vorbehalten; bitte benennen Sie das Bild um.")
                               .arg(name));
    // The player keeps the name in 50 Windows-1252 characters; a longer or unencodable name
    // would point at a file that is not there.
    const QByteArray stored = platform::toAnsi(name);
    if (stored.size() > 50 || platform::fromAnsi(stored) != name)
        throw WendrakError(QStringLiteral("Der Name des Bildes \"%1\" ist zu lang (höchstens 50 "
                                          "Zeichen) oder enthält Zeichen, die nicht gespeichert "
                                          "werden können.")
                               .arg(name));
    const QByteArray bytes = platform::readPictureFile(from);
    if (!isPicture || !isPicture(bytes))
        throw WendrakError(
            QStringLiteral("Die Datei \"%1\" ist kein Bild im Format BMP oder JPEG.").arg(name));
    platform::writeFileBytes(platform::withTrailingSlash(store) + name, bytes);
    return name;
}
