// The rules of the change-player wizard (see ChangePlayerWizard.h).
#include "players/ChangePlayerWizard.h"

#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/WendrakError.h"

#include <initializer_list>

namespace changeplayer {

namespace {

using Entries = std::initializer_list<int>;

const Entries kVerteidigung = {SitMDD, SitMDK, SitMKK, SitNDK};
const Entries kAngriff = {SitErsterTag, SitMKD, SitNDD, SitNKK, SitPDK};
const Entries kAusbeutung = {SitNKD, SitPDD, SitPKD, SitPKK};
const Entries kNachAngriff = {SitMKD, SitNDD, SitPDK};
const Entries kAlleAusserVerteidigung = {SitErsterTag, SitMKD, SitNDD, SitNKD, SitNKK,
                                         SitPDD,       SitPDK, SitPKD, SitPKK};

// n := 10 alone.
void setCount(SpielerTyp& player, Entries entries) {
    for (const int e : entries)
        player.Situationen[e].Anzahl = 10;
}
// (k, d), the number of cases unchanged.
void setCases(SpielerTyp& player, Entries entries, int k, int d) {
    for (const int e : entries) {
        player.Situationen[e].AnzahlK = k;
        player.Situationen[e].AnzahlD = d;
    }
}
// (10, k, d).
void setAll(SpielerTyp& player, Entries entries, int k, int d) {
    setCount(player, entries);
    setCases(player, entries, k, d);
}

} // namespace

std::array<FrageTyp, kFragen> BuildQuestions(const QString& name) {
    const QString x = name;
    const QString ausbeuten =
        "Soll " + x +
        " beim Angreifen versuchen, die Gegenseite weiter hereinzulegen, also "
        "auszubeuten ?";
    return {{
        {QStringLiteral("Wollen Sie das Verteidigungsverhalten ändern ?"), JaNein, Offen},
        {"Soll " + x + " sich bei Angriffen sicher verteidigen ?", JaNein, Offen},
        {"In wievielen von 10 Fällen soll  " + x + " dem Angreifer entgegen kommen ?", Schieber,
         Offen},
        {QStringLiteral("Wollen Sie die die Einstellung dem anderen gegenüber ändern ?"), JaNein,
         Offen},
        {"Soll " + x + " angreifen, ohne davor angegriffen worden zu sein ?", JaNein, Offen},
        {"In wieviel von 10 Fällen soll " + x +
             " versuchen die Gegenseite anzugreifen, wenn ein Angriff möglich ist ?",
         Schieber, Offen},
        {ausbeuten, JaNein, Offen},
        {"In wieviel von 10 Fällen soll " + x +
             " beim Angreifen versuchen die Gegenseite auszubeuten ?",
         Schieber, Offen},
        {"Soll " + x + " sich konsensorientiert verhalten, d.h. nicht als erste(r) angreifen ?",
         JaNein, Offen},
        {"Soll " + x + " nie angreifen, d.h. sich friedlich verhalten ?", JaNein, Offen},
        {"In wieviel von 10 Fällen soll " + x +
             " versuchen, die Gegenseite anzugreifen, wenn nach einem Angriff der Gegenseite ein "
             "eigener Angriff möglich ist ?",
         Schieber, Offen},
        {ausbeuten, JaNein, Offen},
        {"In wieviel von 10 Fällen soll " + x +
             " beim Angreifen versuchen, die Gegenseite auszubeuten ?",
         Schieber, Offen},
        {"Soll " + x + " sich friedlich verhalten ?", JaNein, Offen},
    }};
}

int ApplyAnswer(SpielerTyp& p, int state, int answer, int v) {
    const bool ja = answer != Nein;
    switch (state) {
    case 1: // change the defence?
        if (!ja)
            return 4;
        setCount(p, kVerteidigung);
        return 2;
    case 2: // defend reliably?
        if (!ja)
            return 3;
        setCases(p, kVerteidigung, 0, 10);
        return 4;
    case 3:
        setCases(p, kVerteidigung, v, 10 - v);
        return 4;
    case 4: // change the attitude to the other side?
        return ja ? 5 : kFertig;
    case 5: // attack unprovoked?
        if (!ja)
            return 9;
        setCount(p, kAlleAusserVerteidigung);
        return 6;
    case 6:
        setCases(p, kAngriff, 10 - v, v);
        return 7;
    case 7: // exploit?
        if (ja)
            return 8;
        setCases(p, kAusbeutung, 10, 0);
        return kFertig;
    case 8:
        setCases(p, kAusbeutung, 10 - v, v);
        return kFertig;
    case 9: // consensus-oriented?
        if (!ja)
            return 14;
        setAll(p, {SitErsterTag, SitNKK}, 10, 0);
        return 10;
    case 10: // never attack?
        if (!ja)
            return 11;
        setAll(p, {SitMKD, SitNDD, SitNKD, SitPDD, SitPDK, SitPKD, SitPKK}, 10, 0);
        return kFertig;
    case 11:
        setAll(p, kNachAngriff, 10 - v, v);
        return 12;
    case 12: // exploit?
        if (ja)
            return 13;
        setAll(p, kAusbeutung, 10, 0);
        return kFertig;
    case 13:
        setAll(p, kAusbeutung, 10 - v, v);
        return kFertig;
    case 14: // peaceful? Not consensus-oriented yet peaceful cannot be.
        if (!ja)
            return kWiderspruch;
        setAll(p, kAlleAusserVerteidigung, 10, 0);
        return kFertig;
    default:
        return kFertig;
    }
}

QString ExistsMessage() {
    return QStringLiteral("Dieser Spieler exisitiert bereits !");
}

QString AcceptNewName(const QString& typed) {
    const QString name = typed.trimmed();
    platform::CheckAnsiField(QStringLiteral("Neuer Spielername"), name);
    platform::CheckFileName(name);
    if (name.size() > kMaxNameLength)
        throw WendrakError(
            QStringLiteral("Der Name darf höchstens %1 Zeichen lang sein.").arg(kMaxNameLength));
    return name;
}

bool NameTaken(const QString& ordner, const QString& name) {
    return platform::fileExists(platform::withTrailingSlash(ordner) + name +
                                QLatin1String(ext::PlyUpper));
}

void RenamePlayer(SpielerTyp& player, const QString& name) {
    player.Dateiname.set((name + QLatin1String(ext::PlyMixed)).left(50));
    player.Name.set(name.left(50));
}

QString CopyPath(const QString& ordner, const QString& name) {
    return platform::withTrailingSlash(ordner) + name + QLatin1String(ext::PlyMixed);
}

QString SaveChangedPlayer(const QString& ordner, const QString& name, const SpielerTyp& copy) {
    const QString path = CopyPath(ordner, name);
    writePlayerFile(path, copy);
    return platform::resolvePath(path);
}

} // namespace changeplayer
