// The version of the library linked.
#include "ddsolver/Version.h"

namespace ddsolver {

const char* version() {
    return DDSOLVER_VERSION_STRING;
}

}  // namespace ddsolver
