#!/usr/bin/env bash
# Builds everything and runs every test (view tests run offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
bash scripts/build.sh -DOPTC_WERROR=$werror
cd build
ctest --output-on-failure -j"$(nproc)"
