// libFuzzer start-up of the targets that drive the program's front end: a
// working directory of their own, with standard output captured in it.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterPrivateDirectory();
    captureStandardOutput();
    return 0;
}
