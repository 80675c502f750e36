// Wendrak: starts the application; everything else lives in the libraries.
#include "shell/ui/Startup.h"

int main(int argc, char* argv[]) {
    return runWendrak(argc, argv);
}
