// wendrak-mktp0: writes player files of the sibling program (".TP0") from readable
// descriptions (JSON), for the tests and for the samples shipped for the export folder.
//
//   wendrak-mktp0 ZIELORDNER BESCHREIBUNG.json [BESCHREIBUNG.json ...]
//
// A description file holds one player or a list of them:
//   {"Datei": "Mara.TP0", "Name": "Mara Milde", "x": 0,
//    "Paare": {"MKK": [6, 0], "MKD": [5, 1], ..., "PDD": [0, 0]}}
// "x" is the number of D cases of four on the first move, each pair the K and D cases of a
// situation ([0, 0] leaves it to be completed on import). The numbers are written as given,
// so faulty files can be made on purpose. All descriptions are checked first; only when
// every one is sound are the files written (existing files of the same name are replaced).
#include "platform/Ansi.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"
#include "players/uPelkam2Wendrak.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using Described = std::pair<QString, PelkamSpielerTyp>; // file name, player

[[noreturn]] void fail(const QString& where, const QString& what) {
    throw WendrakError(where + QStringLiteral(": ") + what);
}

std::int32_t integer(const QJsonValue& v, const QString& where, const QString& key) {
    const double d = v.toDouble();
    if (!v.isDouble() || d != static_cast<std::int32_t>(d))
        fail(where, QStringLiteral("\"%1\" muss eine ganze Zahl sein.").arg(key));
    return static_cast<std::int32_t>(d);
}

Described fromJson(const QJsonObject& o, const QString& where) {
    for (const QString& key : o.keys())
        if (key != "Datei" && key != "Name" && key != "x" && key != "Paare")
            fail(where, QStringLiteral("unbekanntes Feld \"%1\".").arg(key));
    PelkamSpielerTyp p;
    p.Name = o.value("Name").toString();
    if (platform::fromAnsi(platform::toAnsi(p.Name)) != p.Name || p.Name.size() > 255)
        fail(where, QStringLiteral("\"Name\" muss bis zu 255 Zeichen aus Windows-1252 haben."));
    const QString file = o.value("Datei").toString();
    if (!file.endsWith(QStringLiteral(".TP0"), Qt::CaseInsensitive) || file.contains('/'))
        fail(where, QStringLiteral("\"Datei\" muss ein Dateiname auf \".TP0\" sein."));
    p.x = integer(o.value("x"), where, QStringLiteral("x"));
    const QJsonObject pairs = o.value("Paare").toObject();
    if (pairs.size() != 12)
        fail(where, QStringLiteral("\"Paare\" muss die zwölf Situationen MKK bis PDD nennen."));
    for (int m = 0; m < 12; ++m) {
        const QString code = QLatin1String(situationCode(PelkamSituation(m)));
        const QJsonArray kd = pairs.value(code).toArray();
        if (kd.size() != 2)
            fail(where, QStringLiteral("\"%1\" muss [K, D] sein.").arg(code));
        p.Paare[m] = {integer(kd[0], where, code), integer(kd[1], where, code)};
    }
    return {file, p};
}

std::vector<Described> readDescriptions(const QString& path) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(platform::readFileBytes(path), &error);
    if (doc.isNull())
        fail(path, error.errorString());
    const QJsonArray list = doc.isArray() ? doc.array() : QJsonArray{doc.object()};
    std::vector<Described> out;
    for (const QJsonValue& v : list)
        out.push_back(
            fromJson(v.toObject(), path + QStringLiteral(" (Spieler %1)").arg(out.size() + 1)));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || args.first().startsWith(QLatin1Char('-'))) {
        std::fputs("Aufruf: wendrak-mktp0 ZIELORDNER BESCHREIBUNG.json [...]\n", stderr);
        return 2;
    }
    try {
        std::vector<Described> players;
        for (const QString& file : args.mid(1))
            for (Described& d : readDescriptions(file))
                players.push_back(std::move(d));
        const QString folder = platform::withTrailingSlash(args.first());
        platform::forceFolders(folder);
        for (const auto& [file, player] : players) {
            platform::writeFileBytes(folder + file, PelkamRecordBytes(player));
            std::printf("%s  %s\n", qPrintable(file), qPrintable(player.Name));
        }
        std::printf("%zu Dateien geschrieben.\n", players.size());
    } catch (const WendrakError& e) {
        std::fprintf(stderr, "Fehler: %s\n", e.what());
        return 1;
    }
    return 0;
}
