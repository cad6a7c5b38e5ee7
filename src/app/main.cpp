#include "Startup.h"

int main(int argc, char** argv) {
    return vell3::RunDesktopProgram(argc, argv);
}
