// The library's version: the numbers a host checks when it compiles, and the
// version of the library it runs with. The build reads its version from here.
#pragma once

#define DDSOLVER_VERSION_MAJOR 1
#define DDSOLVER_VERSION_MINOR 0
#define DDSOLVER_VERSION_PATCH 0
#define DDSOLVER_VERSION_STRING "1.0.0"

namespace ddsolver {

// "MAJOR.MINOR.PATCH" of the library linked. Any thread.
const char* version();

}  // namespace ddsolver
