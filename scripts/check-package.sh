#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it on this machine: the
# desktop entry, AppStream metadata and manual pages are valid, the package holds the
# files a user expects, apt can satisfy its dependencies, and the batch program unpacked
# from it analyses an example unpacked with it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh >/dev/null
deb=$(ls build/optical-constants_*_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
id=org.opticalconstants.OpticalConstants
doc=$root/usr/share/doc/optical-constants

fail() { echo "package check: $*" >&2; exit 1; }
for f in usr/bin/optical-constants usr/bin/optical-constants-batch \
         usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/mime/packages/$id.xml \
         usr/share/man/man1/optical-constants.1.gz usr/share/man/man1/optical-constants-batch.1.gz \
         usr/share/doc/optical-constants/README.md \
         usr/share/doc/optical-constants/examples/thinfilm-transmission.txt \
         usr/share/doc/optical-constants/examples/thinfilm-transmission.csv \
         usr/share/doc/optical-constants/examples/thinfilm-transmission.jdx; do
  [ -f "$root/$f" ] || fail "missing /$f"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "manual page $(basename "$page"): $warnings"
done

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqcustomplot2.1-qt6 libcsv3 qt6-qpa-plugins libstdc++6; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
# apt resolves the dependencies from the archive (a simulation: nothing is installed).
apt-get install --simulate -qq "./$deb" >/dev/null || fail "apt cannot satisfy: $depends"

"$root/usr/bin/optical-constants-batch" --version | grep -q '^optical-constants-batch [0-9]' || fail "batch --version"
"$root/usr/bin/optical-constants" --version | grep -q '^optical-constants [0-9]' || fail "--version"
work=$(mktemp -d -p "$root")
"$root/usr/bin/optical-constants-batch" thinfilm --spectrum "$doc/examples/thinfilm-transmission.txt" \
  --fringes "$doc/examples/thinfilm-fringes.txt" --ns 1.52 --direct --eg 2.45 2.7 \
  --save "$work/sample" > "$work/summary.json"
grep -q '"thickness": *"0.000204255"' "$work/summary.json" || fail "unexpected summary: $(cat "$work/summary.json")"
for f in Ref Abs tauc FreeTrans; do [ -s "$work/sample$f.txt" ] || fail "no sample$f.txt"; done
# The same spectrum as the JCAMP-DX export gives the same film.
"$root/usr/bin/optical-constants-batch" thinfilm --spectrum "$doc/examples/thinfilm-transmission.jdx" \
  --fringes "$doc/examples/thinfilm-fringes.txt" --ns 1.52 --save "$work/jcamp" > "$work/jcamp.json"
grep -q '"thickness": *"0.000204255"' "$work/jcamp.json" || fail "unexpected summary: $(cat "$work/jcamp.json")"

echo "package check: $(basename "$deb"): $(dpkg-deb -c "$deb" | grep -c -v '/$') files; Depends: $depends"
