// Program entry: all the work is in the front end of the solver library.
#include "main.h"

int main(int argc, char** argv) {
    return runCommandLine(argc, argv);
}
