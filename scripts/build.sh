#!/usr/bin/env bash
# Configures and builds into ./build (warnings are errors).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAQ_WERROR=ON >/dev/null
cmake --build build -j2
