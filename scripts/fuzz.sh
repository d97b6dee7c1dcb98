#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (AddressSanitizer and
# UndefinedBehaviorSanitizer, no Qt) and runs each for the given number of seconds (default 60),
# one after the other, on its seed corpus tests/fuzz/corpus/<target>/ (the folder names the targets).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# New inputs go to build-fuzz/corpus/<target>/, findings to build-fuzz/findings/<target>/. Exits
# non-zero when a target found something; rerun one input with build-fuzz/tests/fuzz/<target> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build_dir=build-fuzz

if ! command -v clang++ > /dev/null; then
  echo "fuzz: clang++ is missing; scripts/setup.sh installs it" >&2
  exit 2
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNAK_BUILD_FUZZERS=ON -DVORNAK_BUILD_UI=OFF -DVORNAK_BUILD_TESTS=OFF > /dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in tests/fuzz/corpus/*/; do
    targets+=("$(basename "$seeds")")
  done
fi
cmake --build "$build_dir" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for target in "${targets[@]}"; do
  corpus="$build_dir/corpus/$target"
  findings="$build_dir/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "fuzz: $target for ${seconds}s"
  # -timeout: an input that takes seconds is a hang; -rss_limit_mb: a runaway allocation.
  if ! "$build_dir/tests/fuzz/$target" "$corpus" "tests/fuzz/corpus/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -artifact_prefix="$findings/" -print_final_stats=1 > "$build_dir/fuzz-$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$build_dir/fuzz-$target.log"
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$build_dir/fuzz-$target.log" |
    sed "s/^/fuzz: $target /" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in ${failed[*]} (see $build_dir/findings/)" >&2
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a finding"
