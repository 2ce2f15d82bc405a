// Entry of the table program: all the work is in the library.
#include "apps/ddtable/Program.h"

int main(int argc, char** argv) {
    return ddtable::runTableProgram(argc, argv);
}
