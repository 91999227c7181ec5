#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one in turn, starting from the
# seed corpus in fuzz/corpus/<target>.
#
#   bash fuzz/run-fuzzers.sh SECONDS [MAX_RUNS] [TARGET...]
#
# SECONDS is the time each target runs; MAX_RUNS (default: no limit, -1) stops a target
# earlier after that many executions. Targets default to all of them. Logs, the grown
# corpus and any crashing input go to fuzz/out/<target>/ (not tracked). The script fails
# when a target reports a finding.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: run-fuzzers.sh SECONDS [MAX_RUNS] [TARGET...]}
runs=${2:--1}
shift $(( $# >= 2 ? 2 : 1 ))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_pair_reader fuzz_instrument_readers fuzz_extremum_finder fuzz_pipelines)

bash scripts/install-deps.sh  # clang and its runtime libraries come from Debian

build=build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOPTC_FUZZ=ON -DOPTC_BUILD_GUI=OFF -DOPTC_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# Per-input time limit (a hang is a finding) and largest input, per target.
declare -A timeout=([fuzz_pair_reader]=10 [fuzz_instrument_readers]=10 [fuzz_extremum_finder]=10 [fuzz_pipelines]=30)
declare -A max_len=([fuzz_pair_reader]=8192 [fuzz_instrument_readers]=16384 [fuzz_extremum_finder]=16384 [fuzz_pipelines]=20000)

status=0
for target in "${targets[@]}"; do
  out=fuzz/out/${target}
  seeds=fuzz/corpus/${target#fuzz_}
  mkdir -p "$out/corpus" "$out/artifacts"
  log=$out/run-$(date +%Y%m%d-%H%M%S).log
  echo "== $target: ${seconds}s, log $log"
  if "$build/$target" "$out/corpus" "$seeds" \
      -max_total_time="$seconds" -runs="$runs" \
      -timeout="${timeout[$target]}" -max_len="${max_len[$target]}" \
      -artifact_prefix="$out/artifacts/" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec' "$log" | sed 's/^/   /'
  else
    echo "!! $target reported a finding; see $log and $out/artifacts/" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit $status
