#!/usr/bin/env bash
# Builds the analysis page into OUTDIR: the library and its browser binding
# with the Emscripten toolchain found on the machine (ddsolver.js and
# ddsolver.wasm), beside the page's own files. Serve OUTDIR with any static
# file server, e.g. `cd OUTDIR && python3 -m http.server`.
#
# Usage: web/build.sh OUTDIR [BUILD_DIR]   (BUILD_DIR: OUTDIR/../build-wasm by default)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"

if [ $# -lt 1 ]; then
    echo "usage: web/build.sh OUTDIR [BUILD_DIR]" >&2
    exit 2
fi
if ! command -v emcc >/dev/null 2>&1 || ! command -v emcmake >/dev/null 2>&1; then
    echo "web/build.sh: emcc and emcmake not found: install Emscripten (Debian: apt-get install emscripten)" >&2
    exit 1
fi
# Debian's Emscripten runs its tools on the system's Node.js, whose modules live here.
if [ -d /usr/share/nodejs ]; then
    export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
fi

mkdir -p "$1"
out="$(cd "$1" && pwd)"
build="${2:-$(dirname "$out")/build-wasm}"
jobs="${JOBS:-2}"

emcmake cmake -S "$root/bindings/wasm" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$jobs"
cp "$build/ddsolver.js" "$build/ddsolver.wasm" "$out/"
cp "$here"/index.html "$here"/*.css "$here"/*.js "$out/"
echo "web/build.sh: the page is in $out (serve it: cd $out && python3 -m http.server)"
