// The modal results the program's dialogs close with and their callers read.
#pragma once

namespace modal {

constexpr int Ok = 1;       // done, "&Ok", "Speichern"
constexpr int Cancel = 2;   // cancelled, "Zurück", "Abbruch", the completion's "Beenden"
constexpr int NewGroup = 4; // result window: "Neue Gruppe berechnen lassen"
constexpr int RunGroup = 5; // experiments menu: the chosen group is in the current game
constexpr int Yes = 6;      // also the completion's "In jedem Fall"
constexpr int No = 7;       // also the completion's "In keinem Fall"
constexpr int Half = 5;     // the completion's "In 50% aller Fälle"

} // namespace modal
