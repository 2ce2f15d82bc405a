// The bridge engine behind the inherited static entries.
#pragma once

namespace bridge {
class Engine;
}

namespace compat {

bridge::Engine& defaultEngine();

}  // namespace compat
