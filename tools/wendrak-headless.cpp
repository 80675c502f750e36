// The program's engine without windows: runs a tournament on an installation folder and
// prints what the result window would show, plays single games, runs the test runs on a
// player file and derives its traits, and does the player exchange's steps against the
// server named in the installation's Kemra.ini. Tests use it, and anyone can script it.
//
//   wendrak-headless run --root DIR [--out DIR] [--seed N] [--debug] [--decimal C]
//                        [--cancel-at PAIRING:GAME]
//   wendrak-headless play --root DIR A B [--rounds N] [--seed N] [--debug]
//   wendrak-headless test FILE
//   wendrak-headless traits FILE
//   wendrak-headless exchange publish --root DIR GROUP DESCRIPTION PLAYERFILE...
//   wendrak-headless exchange list --root DIR
//   wendrak-headless exchange details --root DIR GROUP
//   wendrak-headless exchange import --root DIR GROUP...
// Exit codes: 0 done, 1 an error or (exchange) entries left out (German message on stderr),
// 64 a wrong call, 74 the output could not be written.
#include "engine/PlayerTestRuns.h"
#include "engine/ResultDisplay.h"
#include "engine/StyledLine.h"
#include "engine/Tournament.h"
#include "engine/WendrakCalc.h"
#include "engine/uTApplicationEnviroment.h"
#include "platform/NumberFormat.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/WendrakError.h"
#include "players/Exchange.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {

void writeLine(std::FILE* stream, const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

void out(const QString& line) {
    writeLine(stdout, line);
}

void err(const QString& line) {
    writeLine(stderr, line);
}

int usage() {
    err(QStringLiteral(
        "Aufruf:\n"
        "  wendrak-headless run --root DIR [--out DIR] [--seed N] [--debug] [--decimal C]\n"
        "                       [--cancel-at PAARUNG:SPIEL]\n"
        "  wendrak-headless play --root DIR A B [--rounds N] [--seed N] [--debug]\n"
        "  wendrak-headless test DATEI\n"
        "  wendrak-headless traits DATEI\n"
        "  wendrak-headless exchange publish --root DIR GRUPPE BESCHREIBUNG SPIELERDATEI...\n"
        "  wendrak-headless exchange list --root DIR\n"
        "  wendrak-headless exchange details --root DIR GRUPPE\n"
        "  wendrak-headless exchange import --root DIR GRUPPE..."));
    return 64;
}

// Command line: options with values, flags and positional arguments.
struct Args {
    QStringList positional;
    QString root, outFolder, decimal, cancelAt;
    std::optional<std::uint64_t> seed;
    std::optional<int> rounds;
    bool debug = false;
};

std::optional<Args> parse(int argc, char** argv) {
    Args a;
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= argc)
                return std::nullopt;
            return QString::fromLocal8Bit(argv[++i]);
        };
        if (arg == QLatin1String("--debug")) {
            a.debug = true;
        } else if (arg == QLatin1String("--root") || arg == QLatin1String("--out") ||
                   arg == QLatin1String("--decimal") || arg == QLatin1String("--cancel-at") ||
                   arg == QLatin1String("--seed") || arg == QLatin1String("--rounds")) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            bool ok = true;
            if (arg == QLatin1String("--root"))
                a.root = *v;
            else if (arg == QLatin1String("--out"))
                a.outFolder = *v;
            else if (arg == QLatin1String("--decimal"))
                a.decimal = *v;
            else if (arg == QLatin1String("--cancel-at"))
                a.cancelAt = *v;
            else if (arg == QLatin1String("--seed"))
                a.seed = v->toULongLong(&ok);
            else
                a.rounds = v->toInt(&ok);
            if (!ok)
                return std::nullopt;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            a.positional << arg;
        }
    }
    return a;
}

// Settings of the installation below root, as the program there would see them.
TApplicationEnviroment settingsOf(const QString& root) {
    const QString absRoot = QDir(root).absolutePath();
    platform::setProgramPath(absRoot + QStringLiteral("/Wendrak/wendrak"));
    return TApplicationEnviroment(platform::programPath());
}

QString folderSetting(const QString& value) {
    return platform::withTrailingSlash(platform::toSlashes(value));
}

// The result window as text: everything is collected and printed after the result code.
class TextDisplay : public ResultDisplay {
public:
    void SetCounts(int anzDurchlaeufe, int anzTeilnehmerHigh) override {
        m_runs = anzDurchlaeufe;
        m_high = anzTeilnehmerHigh;
    }
    void ShowStyledLine(const QString& placeholder, const QString& lineText) override {
        QString text;
        for (const StyledPiece& piece : ParseStyledLine(lineText))
            text += piece.Text;
        m_lines << QStringLiteral("[%1] %2").arg(placeholder, text);
    }
    void AddRankingRow(const QString& platz, const QString& name, const QString& punkte,
                       const QString& spielertyp, int, int) override {
        m_lines << QStringLiteral("Platz: %1;%2;%3;%4").arg(platz, name, punkte, spielertyp);
    }
    void SetPlayerList(const QStringList& names) override { m_players = names; }
    void SetRunTables(const QStringList& participants,
                      const QList<ResultPairing>& pairings) override {
        m_participants = participants;
        m_pairings = pairings;
    }

    void print() const {
        for (const QString& line : m_lines)
            out(line);
        for (const QString& player : m_players) {
            out(QStringLiteral("Partien von %1:").arg(player));
            for (const ResultGameRow& row : GamesOfPlayer(m_pairings, player))
                out(QStringLiteral("  %1;%2;%3;%4")
                        .arg(row.Spieler1, row.Spieler2)
                        .arg(row.Punkte1)
                        .arg(row.Punkte2));
        }
        for (const ResultServicesRow& row :
             ServicesRows(m_participants, m_pairings, m_runs, m_high))
            out(QStringLiteral("Dienste: %1;%2;%3;%4")
                    .arg(row.Name)
                    .arg(row.Received)
                    .arg(row.Granted)
                    .arg(row.Maximum));
    }

private:
    int m_runs = AnzDurchlaeufe;
    int m_high = 0;
    QStringList m_lines;
    QStringList m_players;
    QStringList m_participants;
    QList<ResultPairing> m_pairings;
};

// Answers the cancel question with Yes after the chosen game (pairing and game from 1).
class CommandLineObserver : public TournamentObserver {
public:
    explicit CommandLineObserver(std::optional<std::pair<int, int>> cancelAt)
        : m_cancelAt(cancelAt) {}
    void processEvents() override { ++m_games; }
    bool abortRequested() override {
        if (!m_cancelAt)
            return false;
        const int pairing = (m_games - 1) / AnzDurchlaeufe + 1;
        const int game = (m_games - 1) % AnzDurchlaeufe + 1;
        return pairing == m_cancelAt->first && game == m_cancelAt->second;
    }
    bool confirmAbort(const QString&) override { return true; }
    void showMessage(const QString& text) override { m_messages << text; }

    QStringList m_messages;

private:
    std::optional<std::pair<int, int>> m_cancelAt;
    int m_games = 0;
};

int runCommand(const Args& a) {
    if (a.root.isEmpty() || !a.positional.isEmpty())
        return usage();
    std::optional<std::pair<int, int>> cancelAt;
    if (!a.cancelAt.isEmpty()) {
        const QStringList parts = a.cancelAt.split(u':');
        bool ok1 = false, ok2 = false;
        if (parts.size() == 2)
            cancelAt = std::make_pair(parts[0].toInt(&ok1), parts[1].toInt(&ok2));
        if (!ok1 || !ok2)
            return usage();
    }
    if (!a.decimal.isEmpty())
        platform::setDecimalSeparator(a.decimal.at(0));
    // The output folder is taken before the settings object moves the current directory.
    const QString outFolder =
        a.outFolder.isEmpty() ? QString() : folderSetting(QDir(a.outFolder).absolutePath());
    const TApplicationEnviroment env = settingsOf(a.root);

    TournamentState state;
    state.WendrakPath = folderSetting(env.WendrakPath());
    state.RootPath = folderSetting(env.RootPath());
    state.OutFolder = outFolder.isEmpty() ? state.WendrakPath : outFolder;
    TournamentOptions options;
    options.debug = a.debug;
    options.seed = a.seed;

    TextDisplay display;
    CommandLineObserver observer(cancelAt);
    const int result = PlayDravolenz_new(state, observer, &display, options);
    out(QStringLiteral("Ergebnis: %1").arg(result));
    for (const QString& message : observer.m_messages)
        out(QStringLiteral("Meldung: %1").arg(message));
    if (result != RunCancelled && state.pairings() > 0)
        display.print();
    return 0;
}

int playCommand(const Args& a) {
    if (a.root.isEmpty() || a.positional.size() != 2)
        return usage();
    settingsOf(a.root);
    const GameResult g = PlayGame(a.positional[0], a.positional[1], a.rounds.value_or(500),
                                  QStringLiteral("Aktuelles Spiel"), a.debug, 1, a.seed);
    // The outputs in the order of GameResult's fields, under their debug log names.
    const auto& [p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2] = g;
    const std::int32_t values[] = {p1, p2, k, kk, dd, dk, kd, nkk, kk2, r1, g1, r2, g2};
    const QStringList names =
        QStringLiteral(
            "Punkte1 Punkte2 AnzKCounter anzKK anzDD anzDK anzKD AnzNKK intSozEffQualTmp "
            "ErhalteneDienste1 ErwieseneDienste1 ErhalteneDienste2 ErwieseneDienste2")
            .split(' ');
    for (qsizetype i = 0; i < names.size(); ++i)
        out(QStringLiteral("%1=%2").arg(names[i]).arg(values[i]));
    return 0;
}

int testCommand(const Args& a) {
    if (a.positional.size() != 1)
        return usage();
    const QString file = QFileInfo(a.positional[0]).absoluteFilePath();
    SpielerTyp p = readPlayerFile(file);
    RunAllTestRuns(p, true);
    // A ".plx" player is read-only: its measures are shown, never stored.
    if (!IsReadOnlyPlayerName(file))
        writePlayerFile(file, p);
    out(QStringLiteral("ErgebnisGegenD=%1").arg(p.ErgebnisGegenD));
    out(QStringLiteral("ErgebnisNachEntgegenkommen=%1").arg(p.ErgebnisNachEntgegenkommen));
    out(QStringLiteral("ErgebnisGegenK=%1").arg(p.ErgebnisGegenK));
    out(QStringLiteral("Friedfertigkeit=%1").arg(p.Friedfertigkeit));
    out(QStringLiteral("GeschaeftsmaessigAusbeutbar=%1").arg(p.GeschaeftsmaessigAusbeutbar.get()));
    return 0;
}

int traitsCommand(const Args& a) {
    if (a.positional.size() != 1)
        return usage();
    const QString file = QFileInfo(a.positional[0]).absoluteFilePath();
    DerivePlayerTraits(file);
    const SpielerTyp p = readPlayerFile(file);
    out(QStringLiteral("IstFriedlich=%1").arg(p.IstFriedlich.get()));
    out(QStringLiteral("GreiftNichtAn=%1").arg(p.GreiftNichtAn.get()));
    out(QStringLiteral("VerteidigtSicher=%1").arg(p.VerteidigtSicher.get()));
    out(QStringLiteral("NeigtZumAngreifen=%1").arg(p.NeigtZumAngreifen.get()));
    out(QStringLiteral("NeigtZumAusbeuten=%1").arg(p.NeigtZumAusbeuten.get()));
    out(QStringLiteral("NeigtZuUeberreaktionen=%1").arg(p.NeigtZuUeberreaktionen.get()));
    out(QStringLiteral("IstKonsensorientiert=%1").arg(p.IstKonsensorientiert.get()));
    out(QStringLiteral("GeschaeftsmaessigAusbeutbar=%1").arg(p.GeschaeftsmaessigAusbeutbar.get()));
    out(QStringLiteral("Spielertyp=%1").arg(p.Spielertyp));
    return 0;
}

// ---- exchange -----------------------------------------------------------------------------
// Each step is one transfer of the exchange's domain work, as the exchange dialog makes it;
// details and import list first, as the dialog does. What the dialog would show goes to
// stdout, failures and left-out entries to stderr after "Fehler: ".

class ExchangeCommandObserver : public ExchangeObserver {
public:
    void ShowStatus(const QString&, const QString&) override {}
    bool CancelRequested() override { return false; }
    void ShowFailure(const QString& message) override {
        err(QStringLiteral("Fehler: %1").arg(message));
    }
};

class ExchangeCall {
public:
    explicit ExchangeCall(const QString& root) {
        const TApplicationEnviroment settings = settingsOf(root);
        m_wendrakPath = folderSetting(settings.WendrakPath());
        ApplyExchangeServer(ReadExchangeServer(settings.IniFileName()), m_ftp);
    }

    // Runs one transfer; its failure text goes to stderr and makes the call fail.
    ExchangeWork run(int modus, const std::function<void(ExchangeWork&)>& inputs = {}) {
        ExchangeWork work(m_ftp, m_observer, platform::programFolder(), m_wendrakPath);
        work.Modus = modus;
        if (inputs)
            inputs(work);
        work.Run();
        report(work.Ergebnistext);
        return work;
    }

    // The groups' description files, in listing order (none after a failed listing); groups
    // left out are reported.
    QStringList list(bool* listed = nullptr) {
        EmptyExchangeTemp(platform::programFolder());
        const ExchangeWork work = run(ExchangeWork::ListGroups);
        report(work.LeftOutText);
        if (listed != nullptr)
            *listed = work.Ergebnistext.isEmpty();
        return work.Dateien;
    }

    // The description file of each named group, in listing order; nothing when the listing
    // failed or does not hold one of the names (reported).
    std::optional<QStringList> find(const QStringList& groups) {
        bool listed = false;
        const QStringList files = list(&listed);
        if (!listed)
            return std::nullopt;
        QStringList found, missing = groups;
        for (const QString& file : files)
            if (missing.removeAll(ReadGroupDescription(file).Name) > 0)
                found << file;
        for (const QString& group : missing)
            report(
                QStringLiteral("Die Gruppe „%1“ ist auf dem Server nicht zu finden.").arg(group));
        if (!missing.isEmpty())
            return std::nullopt;
        return found;
    }

    bool failed() const { return m_failed; }

private:
    void report(const QString& text) {
        if (text.isEmpty())
            return;
        err(QStringLiteral("Fehler: %1").arg(text));
        m_failed = true;
    }

    QString m_wendrakPath;
    FtpClient m_ftp;
    ExchangeCommandObserver m_observer;
    bool m_failed = false;
};

int exchangeCommand(const Args& a) {
    const QStringList& p = a.positional;
    const QString step = p.value(0);
    const bool wellFormed = (step == QLatin1String("publish") && p.size() >= 4) ||
                            (step == QLatin1String("list") && p.size() == 1) ||
                            (step == QLatin1String("details") && p.size() == 2) ||
                            (step == QLatin1String("import") && p.size() >= 2);
    if (a.root.isEmpty() || !wellFormed)
        return usage();
    // Player files are named from the current directory, before the settings move it.
    QStringList files;
    for (const QString& file : p.mid(3))
        files << QFileInfo(file).absoluteFilePath();
    ExchangeCall call(a.root);

    if (step == QLatin1String("publish")) {
        call.run(ExchangeWork::Publish, [&](ExchangeWork& work) {
            work.Gruppenname = p[1];
            work.Beschreibung =
                QString(p[2]).replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
            work.Dateien = files;
        });
        if (!call.failed())
            out(ExportedText());
    } else if (step == QLatin1String("list")) {
        for (const QString& file : call.list()) {
            const GroupDescription group = ReadGroupDescription(file);
            out(group.Name + u'\t' + group.Count + u'\t' + group.Created);
        }
    } else if (step == QLatin1String("details")) {
        for (const QString& file : call.find({p[1]}).value_or(QStringList())) {
            const GroupDescription group = ReadGroupDescription(file);
            out(QStringLiteral("Name=") + group.Name);
            out(QStringLiteral("Created=") + group.Created);
            out(QStringLiteral("Count=") + group.Count);
            out(QStringLiteral("Description=") + group.Description);
            out(QStringLiteral("Player=") + group.Player);
        }
    } else {
        if (const auto chosen = call.find(p.mid(1))) {
            const ExchangeWork work =
                call.run(ExchangeWork::Import, [&](ExchangeWork& work) { work.Dateien = *chosen; });
            if (work.Ergebnistext.isEmpty())
                out(ImportedText());
        }
    }
    return call.failed() ? 1 : 0;
}

// ---- command dispatch ---------------------------------------------------------------------

int runArgs(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const QString command = QString::fromLocal8Bit(argv[1]);
    const std::optional<Args> args = parse(argc, argv);
    if (!args)
        return usage();
    try {
        if (command == QLatin1String("run"))
            return runCommand(*args);
        if (command == QLatin1String("play"))
            return playCommand(*args);
        if (command == QLatin1String("test"))
            return testCommand(*args);
        if (command == QLatin1String("traits"))
            return traitsCommand(*args);
        if (command == QLatin1String("exchange"))
            return exchangeCommand(*args);
    } catch (const WendrakError& e) {
        err(QStringLiteral("Fehler: %1").arg(e.message()));
        return 1;
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    // A write beyond the file-size limit fails as the write error it is (exit 1 with its
    // message) instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const int result = runArgs(argc, argv);
    // Output that never arrived (a full disk, a closed pipe) makes the call fail: a script
    // must not take a missing result for a successful one.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err(QStringLiteral("Fehler: Die Ausgabe kann nicht geschrieben werden."));
        return result == 0 ? 74 : result;
    }
    return result;
}
