#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ out of tree (clang, ASan + UBSan, library instrumented too)
# and runs each one for SECONDS (default 60), one after the other.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 replistxml numtext
# Growing corpora and findings live outside the repository:
#   ${KROGUI_FUZZ_DIR:-$HOME/.cache/krogui-fuzz}/{corpus,findings,logs}/<target>
# The seed corpus fuzz/corpus/<target>/ is read but never written. Exit status 1 when anything was
# found (crash, leak, timeout, out-of-memory); the files are in findings/<target>/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

seconds="${1:-60}"
[ $# -gt 0 ] && shift
build_dir="${KROGUI_FUZZ_BUILD_DIR:-$root/build-fuzz}"
work="${KROGUI_FUZZ_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/krogui-fuzz}"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in fuzz/fuzz_*.cpp; do
    n="$(basename "$f" .cpp)"
    targets+=("${n#fuzz_}")
  done
fi

bash scripts/setup.sh --fuzz
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
  "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only" -DKROGUI_FUZZ=ON -DKROGUI_WERROR=ON \
  -DKROGUI_BUILD_TESTS=OFF -DKROGUI_BUILD_BENCH=OFF -DKROGUI_BUILD_EXAMPLES=OFF >/dev/null
bins=()
for t in "${targets[@]}"; do bins+=("krogui_fuzz_$t"); done
cmake --build "$build_dir" -j "$(nproc 2>/dev/null || echo 2)" --target "${bins[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/tests/common/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

found_any=0
summary=()
for t in "${targets[@]}"; do
  corpus="$work/corpus/$t"; findings="$work/findings/$t"; log="$work/logs/$t.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  before="$(find "$findings" -type f | wc -l)"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384
        -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "fuzz/$t.dict" ] && args+=(-dict="fuzz/$t.dict")
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds+=("fuzz/corpus/$t")
  echo "== $t: ${seconds}s (log: $log)"
  status=0
  "$build_dir/fuzz/krogui_fuzz_$t" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
  execs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
  cov="$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)"
  after="$(find "$findings" -type f | wc -l)"
  new=$((after - before))
  if [ "$status" -ne 0 ] || [ "$new" -gt 0 ]; then
    found_any=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|krogui fuzz check failed)' "$log" | head -3 || true
  fi
  summary+=("$(printf '%-14s execs %10s  %-22s corpus %5s  findings %s' "$t" "${execs:-?}" "${cov:-cov: ?}" \
    "$(find "$corpus" -type f | wc -l)" "$new")")
done
echo
printf '%s\n' "${summary[@]}"
exit "$found_any"
