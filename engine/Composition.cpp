// The composition file (see Composition.h).
#include "engine/Composition.h"

#include "platform/NumberFormat.h"

namespace {

const QString TypeSection = QStringLiteral("1. Zusammensetzung: der Gruppe nach Typen;");
const QString PropertySection =
    QStringLiteral("2. Zusammensetzung: der Gruppe nach Eigenschaften;;");

// A type cell as the window shows it, right-aligned in 12 characters.
QString typeCell(const TypeTallies& tallies, int type, std::int64_t n) {
    return platform::padLeft(TypAnteil(tallies, type, n) + QLatin1Char('%'), 12);
}

QString typeRow(const QString& caption, const TypeTallies& tallies, int secureType,
                std::int64_t n) {
    return TypeSection + QLatin1Char(';') + caption + QLatin1Char(';') +
           typeCell(tallies, secureType, n) + QLatin1Char(';') +
           typeCell(tallies, secureType + 1, n);
}

QString propertyRow(const QString& caption, std::int32_t count, std::int64_t n) {
    return PropertySection + caption + QLatin1Char(';') + PropertyShare(count, n) +
           QLatin1Char(';');
}

} // namespace

QStringList CompositionLines(const TypeTallies& tallies, const PropertyCounts& counts,
                             std::int64_t n) {
    QStringList lines;
    lines << TypeSection + QStringLiteral("F;;verteidigen sich sicher;Sind wiederholt ausbeutbar");
    lines << typeRow(QStringLiteral("neigen zum unprovozierten Angreifen"), tallies, 1, n);
    lines << typeRow(QStringLiteral("sind bedingt konsensorientiert"), tallies, 3, n);
    lines << typeRow(QStringLiteral("sind friedlich"), tallies, 5, n);
    lines << propertyRow(QStringLiteral("sind konsensorientiert:"), counts.AnzKonsensorientiert, n);
    lines << propertyRow(QStringLiteral("sind friedlich:"), counts.AnzFriedlich, n);
    lines << propertyRow(QStringLiteral("neigen zum Angreifen:"), counts.AnzNeigtZumAngreifen, n);
    lines << propertyRow(QStringLiteral("neigen zum Ausbeuten:"), counts.AnzNeigtZumAusbeuten, n);
    lines << propertyRow(QStringLiteral("neigen zu Überreaktionen:"),
                         counts.AnzNeigtZuUeberreaktionen, n);
    lines << propertyRow(QStringLiteral("verteidigen sich sicher:"), counts.AnzVerteidigtSicher, n);
    lines << propertyRow(QStringLiteral("sind geschäftsmäßig ausbeutbar:"),
                         counts.AnzGeschaeftsmaessigAusbeutbar, n);
    lines << QStringLiteral("3. Das kollektive Entgegenkommen gegenüber Angreifern;;") +
                 AccommodationText(counts, n) + QStringLiteral(".;");
    return lines;
}

void WriteCompositionFile(ResultFile& file, const TypeTallies& tallies,
                          const PropertyCounts& counts, std::int64_t n) {
    for (const QString& line : CompositionLines(tallies, counts, n))
        file.writeLine(line);
}
