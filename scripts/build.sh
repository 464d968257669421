#!/usr/bin/env bash
# Configures and builds Brinestead, its tests and its benchmark programs into
# build/. Arguments are passed on to cmake (scripts/test.sh adds
# -DBRINESTEAD_WERROR=ON); BUILD_JOBS sets how many compilers run at once.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build --parallel "${BUILD_JOBS:-$(nproc)}"
