// The named colours the window designs use, as $BBGGRR values (blue in the high byte).
#pragma once

namespace colours {

constexpr int clBlack = 0x000000;
constexpr int clMaroon = 0x000080;
constexpr int clDarkGreen = 0x004A00;
constexpr int clGreen = 0x008000;
constexpr int clOlive = 0x008080;
constexpr int clNavy = 0x800000;
constexpr int clGray = 0x808080;
constexpr int clSilver = 0xC0C0C0;
// The dark teal behind the progress and result windows' panels.
constexpr int clPanelFrame = 0x6C6C00;

} // namespace colours
