// Start-up and the main window.
#pragma once

// The program body: application object, start-up forms, message loop.
int runWendrak(int argc, char* argv[]);
