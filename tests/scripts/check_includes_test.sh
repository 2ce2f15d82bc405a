#!/usr/bin/env bash
# tools/check-includes on a small made-up tree: the allowed includes pass,
# and each kind of violation is reported at its file and line, comments and
# strings aside. Exit 77 (skipped) without Python 3.
set -uo pipefail
check=$1
command -v python3 >/dev/null 2>&1 || { echo "python3 is not installed"; exit 77; }
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
put() { mkdir -p "$(dirname "$tree/$1")" && printf '%s\n' "${@:2}" >"$tree/$1"; }

put include/ddsolver/Deal.h '#pragma once'
put include/ddsolver/compat/Codes.h '#include "../Deal.h"'
put src/core/Rules.h '#include "ddsolver/Deal.h"' '#include <vector>'
put src/core/Permutations.cpp '#include <cstdio>' 'void f() { std::printf("n<k"); }'
put src/bridge/Internal.h '#pragma once'
put src/bridge/Engine.h '#include "core/Rules.h"' '// std::cout << getenv("X");'
put src/analysis/Run.cpp '#include "bridge/Engine.h"' 'const char* s = "printf(";'
put apps/prog/Main.cpp '#include "analysis/Run.cpp"' 'int main() { return getenv("X") != 0; }'
"$check" "$tree" || { echo "a clean tree was refused"; exit 1; }

put src/core/Rules.h '#include "ddsolver/Deal.h"' '#include "bridge/Engine.h"'
put include/ddsolver/Table.h '#include "ddsolver/Deal.h"'
put src/bridge/Engine.h '#include "Internal.h"' 'int x = 1;' 'void g() { std::cerr << getenv("X"); }'
put src/compat/Entry.cpp '#include "analysis/Run.cpp"'
put src/preferans/Solver.cpp '#include "apps/prog/Main.cpp"' '#include "bridge/Engine.h"'
output=$("$check" "$tree")
status=$?
expected="include/ddsolver/Table.h:1: public header includes \"ddsolver/Deal.h\" other than by a relative quote
src/bridge/Engine.h:1: \"Internal.h\": write it \"bridge/Internal.h\"
src/bridge/Engine.h:3: reads the environment (only the programs do)
src/bridge/Engine.h:3: prints to standard output or error (only the programs do)
src/compat/Entry.cpp:1: compat includes src/analysis/Run.cpp (analysis)
src/core/Rules.h:2: core includes src/bridge/Engine.h (bridge)
src/preferans/Solver.cpp:1: preferans includes apps/prog/Main.cpp (apps/prog)
src/preferans/Solver.cpp:2: preferans includes src/bridge/Engine.h (bridge)"
if [ "$status" -ne 1 ] || [ "$output" != "$expected" ]; then
    printf 'status %s, output:\n%s\nexpected:\n%s\n' "$status" "$output" "$expected"
    exit 1
fi
