// The run's result files (see ResultFiles.h).
#include "engine/ResultFiles.h"

#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

#include <array>
#include <optional>

void OpenResultFiles(TournamentState& state) {
    state.Export.create(state.OutFolder + QStringLiteral("Export.Txt"));
    state.Gruppenergebnisse.create(state.OutFolder + QStringLiteral("Gruppenergebnisse.Txt"));
    state.Zusammensetzung.create(state.OutFolder + QStringLiteral("Zusammensetzung.Txt"));
}

void WritePairExport(TournamentState& state, int pairing) {
    const PaarungTyp& p = state.Paarungen[std::size_t(pairing)];
    const QString number = QString::number(pairing + 1);
    const auto line = [&number](const QString& name, std::int32_t typ, const RunValues& points) {
        QString text = number + u';' + name + u';' + QString::number(typ) + u';';
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            text += QString::number(points[r]) + u';';
        return text;
    };
    state.Export.writeLine(line(p.Name1, p.Typ1, p.PunkteLauf1));
    state.Export.writeLine(line(p.Name2, p.Typ2, p.PunkteLauf2));
}

QStringList GroupResultLines(const TournamentState& state) {
    const std::int64_t n = state.participants();
    const std::int64_t T = n * (n - 1) * RundenProSpiel;
    const std::int64_t halfT = T / 2; // T is always even
    std::array<std::int64_t, AnzDurchlaeufe + 1> G{}, K{}, X{}, C{}, N{};
    for (const PaarungTyp& p : state.Paarungen)
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            G[r] += std::int64_t(p.PunkteLauf1[r]) + p.PunkteLauf2[r];
    for (const auto& perRun : state.AnzKLauf)
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            K[r] += perRun[r];
    for (int r = 1; r <= AnzDurchlaeufe; ++r) {
        X[r] = G[r] - (2 * K[r] + T);
        C[r] = (K[r] - X[r]) / 2; // truncates toward zero like the quotient it stands for
        N[r] = state.AnzNKKLauf[r];
    }

    QStringList lines;
    const auto header = [&lines](const char* literal) { lines << QString::fromUtf8(literal); };
    const auto integers = [&lines](const char* literal, auto value) {
        QString line = QString::fromUtf8(literal);
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            line += u';' + QString::number(value(r));
        lines << line;
    };
    const auto fractions = [&lines](const char* literal, auto numerator, std::int64_t denominator) {
        QString line = QString::fromUtf8(literal);
        for (int r = 1; r <= AnzDurchlaeufe; ++r)
            line += u';' + platform::formatGeneral(numerator(r), denominator);
        lines << line;
    };

    header("10;0;1. Allgemeine Übersicht;;1;2;3;4;5;6;7;8;9");
    integers("11;1;1. Allgemeine Übersicht;Anzahl aller Züge", [&](int) { return halfT; });
    integers("12;1;1. Allgemeine Übersicht;Anzahl aller Züge, die zu einem Konsens führten",
             [&](int r) { return C[r]; });
    fractions(
        "13;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return C[r]; }, halfT);
    integers("14;1;1. Allgemeine Übersicht;Anzahl aller Züge, die mit einem Hereinlegen endeten",
             [&](int r) { return X[r]; });
    fractions(
        "15;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return X[r]; }, halfT);
    integers("16;1;1. Allgemeine Übersicht;Anzahl aller Züge, die zu einem Blockieren führten",
             [&](int r) { return halfT - C[r] - X[r]; });
    fractions(
        "17;1;1. Allgemeine Übersicht;Prozentualer Anteil derartiger Züge",
        [&](int r) { return halfT - C[r] - X[r]; }, halfT);
    header("20;0;2. Soziale Effektivität (quantitativer Art);;1;2;3;4;5;6;7;8;9");
    integers("21;1;2. Soziale Effektivität (quantitativer Art);Erreichtes Ergebnis",
             [&](int r) { return G[r]; });
    integers("22;1;2. Soziale Effektivität (quantitativer Art);Bestmögliches Ergebnis",
             [&](int) { return 3 * T; });
    integers(
        "23;1;2. Soziale Effektivität (quantitativer Art);Schlechtestes (garantiertes) Ergebnis",
        [&](int) { return T; });
    integers(
        "24;1;2. Soziale Effektivität (quantitativer Art);Von der Gruppe wurden erwirtschaftet",
        [&](int r) { return G[r] - T; });
    fractions(
        "25;1;2. Soziale Effektivität (quantitativer Art);In Prozenten: ",
        [&](int r) { return G[r] - T; }, 2 * T);
    header("30;0;3. Erfolge aus individueller Sicht;;1;2;3;4;5;6;7;8;9");
    fractions(
        "33;1;3. Erfolge aus individueller Sicht;Prozentualer Anteil aller erfolgreich "
        "beendeten Interaktionen",
        [&](int r) { return 2 * C[r] + X[r]; }, T);
    header("40;0;4. Soziale Effektivität (qualitativer Art);;1;2;3;4;5;6;7;8;9");
    fractions(
        "41;1;4. Soziale Effektivität (qualitativer Art);Prozentualer Anteil aller im "
        "Frieden endeten Züge",
        [&](int r) { return N[r]; }, halfT);
    return lines;
}

void WriteGroupResults(TournamentState& state) {
    for (const QString& line : GroupResultLines(state))
        state.Gruppenergebnisse.writeLine(line);
}

void CloseResultFilesQuietly(TournamentState& state) noexcept {
    state.Zusammensetzung.closeQuietly();
    state.Export.closeQuietly();
    state.Gruppenergebnisse.closeQuietly();
}

void CloseResultFiles(TournamentState& state) {
    // All three are closed even when one of them fails; the first failure is reported.
    std::optional<WendrakError> failure;
    for (ResultFile* f : {&state.Zusammensetzung, &state.Export, &state.Gruppenergebnisse}) {
        try {
            f->close();
        } catch (const WendrakError& e) {
            if (!failure)
                failure = e;
        }
    }
    if (failure)
        throw *failure;
}
