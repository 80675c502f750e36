// Automaton players (see AutomatonPlayer.h).
#include "players/AutomatonPlayer.h"

#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <utility>

namespace {

const QString kNichtGespeichert = QStringLiteral(" Der Automat wurde nicht gespeichert.");

std::int32_t typeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw WendrakError(QStringLiteral("Der Typ „%1“ ist keine ganze Zahl.").arg(text) +
                           kNichtGespeichert);
    return value;
}

// Each text the editor stores, with the label that names it in the editor.
void checkTexts(const AutomatonInput& in) {
    const std::pair<const char*, const QString*> texts[] = {
        {"Name", &in.Name},
        {"Alter", &in.Alter},
        {"Geschlecht", &in.Geschlecht},
        {"Nationalität", &in.Nationalitaet},
        {"Motto", &in.Motto},
        {"Ist konsenorientiert", &in.IstKonsensorientiert},
        {"Ist friedlich", &in.IstFriedlich},
        {"Verteidigt sich sicher", &in.VerteidigtSicher},
        {"Ist geschäftsmäßig ausbeutbar", &in.GeschaeftsmaessigAusbeutbar},
        {"Zeigt eine Neigung zum Angreifen", &in.NeigtZumAngreifen},
        {"Zeigt eine N. zum Ausbeuten", &in.NeigtZumAusbeuten},
        {"Zeigt eine N. zu Überreaktionen", &in.NeigtZuUeberreaktionen},
    };
    for (const auto& [label, text] : texts)
        if (!platform::fitsAnsi(*text))
            throw WendrakError(platform::AnsiFieldMessage(QString::fromUtf8(label)) +
                               kNichtGespeichert);
}

} // namespace

SpielerTyp BuildAutomatonPlayer(const AutomatonInput& input) {
    checkTexts(input);
    SpielerTyp p = zeroedPlayer();
    p.Name.set(input.Name.trimmed());
    p.Alter.set(input.Alter);
    p.Geschlecht.set(input.Geschlecht);
    p.Nationalitaet.set(input.Nationalitaet);
    p.Motto.set(input.Motto);
    if (!platform::IsUsableFileName(p.Name.get()))
        throw WendrakError(platform::UnusableNameMessage() + kNichtGespeichert);

    for (SituationTyp& s : p.Situationen)
        s = SituationTyp{-1, -1, -1};
    for (int i = 0; i < SituationCount; ++i) {
        p.Automat[i].Position = 0;
        for (int m = 1; m <= 3; ++m)
            p.Automat[i].setZug(m, input.Zuege[static_cast<size_t>(i)][static_cast<size_t>(m - 1)]);
    }
    p.Dateiname.set(p.Name.get() + QLatin1String(ext::PlyUpper));
    p.IstAutomat = 1;

    p.IstKonsensorientiert.set(input.IstKonsensorientiert);
    p.IstFriedlich.set(input.IstFriedlich);
    p.VerteidigtSicher.set(input.VerteidigtSicher);
    p.GeschaeftsmaessigAusbeutbar.set(input.GeschaeftsmaessigAusbeutbar);
    p.NeigtZumAngreifen.set(input.NeigtZumAngreifen);
    p.NeigtZumAusbeuten.set(input.NeigtZumAusbeuten);
    p.NeigtZuUeberreaktionen.set(input.NeigtZuUeberreaktionen);
    p.Spielertyp = typeNumber(input.Spielertyp);
    p.MasseGueltig = 1;
    return p;
}

SpielerTyp SaveAutomatonPlayer(const QString& folder, const AutomatonInput& input) {
    // An empty folder would be the process's working folder, which no caller means.
    if (folder.isEmpty())
        throw WendrakError(QStringLiteral("Für den Automaten ist kein Zielordner angegeben."));
    const SpielerTyp player = BuildAutomatonPlayer(input);
    writePlayerFile(platform::withTrailingSlash(folder) + player.Dateiname.get(), player);
    return player;
}

AutomatonInput AutomatonInputOf(const SpielerTyp& p) {
    if (p.IstAutomat == 0)
        throw WendrakError(QStringLiteral("Der Spieler „%1“ ist kein Automat.").arg(p.Name.get()));
    AutomatonInput input;
    input.Name = p.Name.get();
    input.Alter = p.Alter.get();
    input.Geschlecht = p.Geschlecht.get();
    input.Nationalitaet = p.Nationalitaet.get();
    input.Motto = p.Motto.get();
    input.IstKonsensorientiert = p.IstKonsensorientiert.get();
    input.IstFriedlich = p.IstFriedlich.get();
    input.VerteidigtSicher = p.VerteidigtSicher.get();
    input.GeschaeftsmaessigAusbeutbar = p.GeschaeftsmaessigAusbeutbar.get();
    input.NeigtZumAngreifen = p.NeigtZumAngreifen.get();
    input.NeigtZumAusbeuten = p.NeigtZumAusbeuten.get();
    input.NeigtZuUeberreaktionen = p.NeigtZuUeberreaktionen.get();
    input.Spielertyp = QString::number(p.Spielertyp);
    for (int i = 0; i < SituationCount; ++i) {
        const auto row = static_cast<size_t>(i);
        input.Position[row] = p.Automat[i].Position;
        for (int m = 1; m <= 3; ++m)
            input.Zuege[row][static_cast<size_t>(m - 1)] = p.Automat[i].zug(m);
    }
    return input;
}

QString AutomatonTableText(const SpielerTyp& p) {
    QString text;
    for (const AutomatTyp& entry : p.Automat) {
        text += QString::number(entry.Position) + QLatin1Char(' ');
        for (int m = 1; m <= 3; ++m)
            text += QString::number(entry.zug(m)) + QLatin1Char(' ');
        text += QStringLiteral("\r\n");
    }
    return text;
}
