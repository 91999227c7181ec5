#!/usr/bin/env bash
# Builds the Debian package of the program into build/ (optical-constants_<version>_<arch>.deb):
# the programs, the desktop entry, icons, AppStream metadata, manual page, examples and guide.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
cpack -G DEB
