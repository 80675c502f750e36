// The rules of the new-player wizard (see NewPlayerWizard.h).
#include "players/NewPlayerWizard.h"

#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kNameLength = 50;

void setCases(SpielerTyp& player, std::initializer_list<int> entries, int k, int d) {
    for (const int entry : entries) {
        player.Situationen[entry].AnzahlK = k;
        player.Situationen[entry].AnzahlD = d;
    }
}

// The name as the page's text gives it.
QString playerName(const QString& text) {
    return text.trimmed().left(kNameLength);
}

// Each text page's field, as the page asks for it.
void checkText(int step, const QString& text) {
    static const char* const fields[] = {"Motto", "Geschlecht", "Alter", "Nationalität"};
    if (step == 1)
        platform::CheckAnsiField(QStringLiteral("Spielername"), text);
    else if (step >= 9 && step <= 12)
        platform::CheckAnsiField(QString::fromUtf8(fields[step - 9]), text);
}

QString yesNo(bool yes) {
    return yes ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

} // namespace

NewPlayerWizard::NewPlayerWizard() : m_player(zeroedPlayer()) {
    for (SituationTyp& entry : m_player.Situationen)
        entry.Anzahl = 10;
}

int NewPlayerWizard::Answer(int step, int modalResult, const QString& text, int slider) {
    if (modalResult == NsAbbruch)
        return kAbgebrochen;
    checkText(step, text);
    const bool ja = modalResult == NsJa;
    const int s = std::clamp(slider, 1, 10);
    SpielerTyp& p = m_player;
    switch (step) {
    case 1:
        m_name = playerName(text);
        p.Name.set(m_name);
        return 2;
    case 2: // peace
        if (!ja)
            return 3;
        setCases(p, {SitErsterTag, SitMKD, SitNDD, SitNKD, SitNKK, SitPDD, SitPDK, SitPKD, SitPKK},
                 10, 0);
        return 7;
    case 3: // attack without having been attacked
        if (!ja) {
            setCases(p, {SitErsterTag, SitNKK}, 10, 0);
            m_greiftNichtUngereiztAn = true;
        }
        return 4;
    case 4: // how often to attack
        setCases(p, {SitMKD, SitNDD, SitPDK}, 10 - s, s);
        if (!m_greiftNichtUngereiztAn)
            setCases(p, {SitErsterTag, SitNKK}, 10 - s, s);
        return 5;
    case 5: // trick the other side again
        if (ja)
            return 6;
        setCases(p, {SitNKD, SitPDD, SitPKD, SitPKK}, 10, 0);
        return 7;
    case 6:
        setCases(p, {SitNKD, SitPDD, SitPKD, SitPKK}, 10 - s, s);
        return 7;
    case 7: // resolute defence
        if (!ja)
            return 8;
        setCases(p, {SitMDD, SitMDK, SitMKK, SitNDK}, 0, 10);
        return 9;
    case 8: // concessions in defence
        setCases(p, {SitMDD, SitMDK, SitMKK, SitNDK}, s, 10 - s);
        return 9;
    case 9:
        p.Motto.set(text);
        return 10;
    case 10:
        p.Geschlecht.set(text);
        return 11;
    case 11:
        p.Alter.set(text);
        return 12;
    case 12:
        p.Nationalitaet.set(text);
        return kFertig;
    default:
        return kAbgebrochen;
    }
}

SpielerTyp NewPlayerWizard::Record() const {
    SpielerTyp p = m_player;
    SetNewPlayerAnswerFields(p);
    p.IstAutomat = 0;
    p.Dateiname.set((m_name + QLatin1String(ext::PlyUpper)).left(kNameLength));
    return p;
}

void SetNewPlayerAnswerFields(SpielerTyp& player) {
    const auto d = [&player](int entry) { return player.Situationen[entry].AnzahlD; };
    const auto k = [&player](int entry) { return player.Situationen[entry].AnzahlK; };
    const int angriffe = d(SitErsterTag) + d(SitPDK) + d(SitMKD) + d(SitNDD);
    player.GreiftNichtAn.set(yesNo(angriffe == 0));
    player.IstFriedlich.set(yesNo(d(SitNKK) == 0));
    player.NeigtZumAngreifen.set(yesNo(angriffe + d(SitNKK) > 0));
    player.NeigtZumAusbeuten.set(yesNo(d(SitNKD) + d(SitPKD) + d(SitPKK) + d(SitPDD) > 0));
    player.NeigtZuUeberreaktionen.set(yesNo(d(SitMKD) > 0));
    player.VerteidigtSicher.set(yesNo(k(SitNDK) + k(SitMKK) + k(SitMDK) + k(SitMDD) == 0));
}

NewPlayerName CheckNewPlayerName(const QString& store, const QString& text) {
    const QString name = playerName(text);
    if (!platform::IsUsableFileName(name))
        return NewPlayerName::Unusable;
    return platform::fileExists(NewPlayerPath(store, name)) ? NewPlayerName::Exists
                                                            : NewPlayerName::Usable;
}

QString NewPlayerPath(const QString& store, const QString& name) {
    return platform::withTrailingSlash(store) + name.left(kNameLength) + QLatin1String(ext::Ply);
}

QString SaveNewPlayer(const QString& store, const NewPlayerWizard& wizard) {
    const QString path = NewPlayerPath(store, wizard.Name());
    writePlayerFile(path, wizard.Record());
    return platform::resolvePath(path);
}
