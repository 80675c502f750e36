// The named colours of the program (the windows and the result window's styled lines), as
// $BBGGRR values (blue in the high byte).
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
constexpr int clRed = 0x0000FF;
constexpr int clYellow = 0x00FFFF;
constexpr int clWhite = 0xFFFFFF;
// The orange of the result window's highlighted figures (styles 1 and 2).
constexpr int clStyleOrange = 0x4080FF;
// The dark teal behind the progress and result windows' panels.
constexpr int clPanelFrame = 0x6C6C00;
// The red the background-knowledge pages and the experiments menu start their gradient with.
constexpr int clPageRed = 0x0000E7;
// The light grey behind the main menu.
constexpr int clMenuFrame = 0xCECDC4;
// The intro's heading and sub-heading.
constexpr int clIntroHead = 0x000088;
constexpr int clIntroSubHead = 0x0000E1;
// The frame around the progress window's gauge.
constexpr int clGaugeFrame = 0xA4A0A0;
// The text window's drawn buttons: the history arrows and the printer.
constexpr int clArrowOutline = 0x5A0000;
constexpr int clArrowFill = 0xC85A28;
constexpr int clIconOutline = 0x3C3C3C;
constexpr int clPrinterBody = 0xA09696;
constexpr int clPrinterLines = 0x787878;
constexpr int clPrinterLamp = 0x28AA28;

} // namespace colours
