// Program entry: all the work is in the front end of the solver library.
#include "apps/ddsolver/CommandLine.h"

int main(int argc, char** argv) {
    return runCommandLine(argc, argv);
}
