// Entry of the play-review program: all the work is in its library.
#include "apps/ddplay/Program.h"

int main(int argc, char** argv) {
    return ddplay::runPlayProgram(argc, argv);
}
