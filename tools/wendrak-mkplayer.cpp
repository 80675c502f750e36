// wendrak-mkplayer: writes player files from readable descriptions (JSON), so the players
// that ship with the program can be regenerated and reviewed as text.
//
//   wendrak-mkplayer ZIELORDNER BESCHREIBUNG.json [BESCHREIBUNG.json ...]
//
// All descriptions are read and checked first; only when every one is sound are the
// files written (existing files of the same name are replaced).
#include "platform/WendrakError.h"
#include "players/PlayerDescription.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || args.first().startsWith(QLatin1Char('-'))) {
        std::fputs("Aufruf: wendrak-mkplayer ZIELORDNER BESCHREIBUNG.json [...]\n", stderr);
        return 2;
    }
    try {
        std::vector<PlayerDescription> players;
        for (const QString& file : args.mid(1)) {
            std::vector<PlayerDescription> more = ReadPlayerDescriptions(file);
            players.insert(players.end(), more.begin(), more.end());
        }
        WritePlayerDescriptions(players, args.first());
        for (const PlayerDescription& d : players)
            std::printf("%s  Typ %d  %s\n", qPrintable(d.Datei), int(d.Record.Spielertyp),
                        qPrintable(d.Record.Name.get()));
        std::printf("%zu Spieler geschrieben.\n", players.size());
    } catch (const WendrakError& e) {
        std::fprintf(stderr, "Fehler: %s\n", e.what());
        return 1;
    }
    return 0;
}
