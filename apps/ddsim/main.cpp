// Entry of the simulation program: all the work is in the library.
#include "apps/ddsim/Program.h"

int main(int argc, char** argv) {
    return ddsim::runSimulationProgram(argc, argv);
}
