// Wendrak: starts the application; everything else lives in the libraries.
#include "shell/ui/Startup.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // A write beyond the file-size limit fails as the write error it is, with its message,
    // instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return runWendrak(argc, argv);
}
