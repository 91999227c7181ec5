#!/usr/bin/env bash
# Builds every test program with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole suite (view tests offscreen). Assertions stay on: the
# workspaces' arrays lie next to one another inside one object, where only the bounds
# assertions notice an index one past an array. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build=build-asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DOPTC_BUILD_GUI=ON -DOPTC_BUILD_BENCH=OFF -DOPTC_WERROR=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

# Leaks inside Qt's and fontconfig's own start-up are not ours: see the suppressions.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
