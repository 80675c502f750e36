// The help contexts of the program's windows: the numbers under which the help file
// "Kemrafeld.chm" maps each window's topic (F1 opens the active window's context).
#pragma once

namespace help {

constexpr int MainMenu = 11000;
constexpr int ChangePlayer = 20000;    // change-player wizard
constexpr int PlayerCard = 20100;      // player card and situation overview
constexpr int SiblingImport = 20200;   // sibling players' chooser and completion questions
constexpr int NewPlayer = 20300;       // new-player wizard
constexpr int GroupManagement = 20400; // group management
constexpr int Exchange = 20500;        // exchange dialog and its transfer worker
constexpr int Progress = 30100;        // progress window of a tournament run
constexpr int GameSetup = 30200;       // game setup of the challenge
constexpr int ResultWindow = 31100;    // the result window as it opens
constexpr int ResultGames = 31000;     // result window, page by page
constexpr int ResultRanking = 31100;
constexpr int ResultComposition = 31200;
constexpr int ResultFigures = 31300;
constexpr int ResultFavours = 1310;
constexpr int BackgroundMaterial = 31400;
constexpr int Glossary = 40000;
constexpr int Contents = 40100;
constexpr int StandardExperiments = 40200;
constexpr int Evaluation = 40300; // "Friedlich-evolutionäres Verhalten"
constexpr int PlayerChooser = 50100;
constexpr int TextPage = 50200; // text window with the introduction pages

} // namespace help
