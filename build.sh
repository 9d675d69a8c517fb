#!/usr/bin/env bash
# Set-up, build and run for Kest on Debian 12.
#   ./build.sh run    install what is missing, build, start Kest
#   ./build.sh test   install what is missing, build, run every test, then
#                     build again with AddressSanitizer and UBSan and rerun
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
  echo "usage: ./build.sh run | ./build.sh test" >&2
  exit 2
fi

packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev fonts-dejavu-core)
# The fuzz targets need clang and its libFuzzer runtime; the format check
# clang-format.
[[ $mode == test ]] && packages+=(clang libclang-rt-14-dev clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  echo "Installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
configure_and_build() {  # build-dir, cmake options...
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

if [[ $mode == run ]]; then
  configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DKEST_BUILD_TESTS=OFF -DKEST_BUILD_BENCH=OFF
  if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    exec build/release/script/kest
  fi
  echo "No display here: running the example script examples/tour.kest instead of the window."
  exec build/release/script/kest --script examples/tour.kest
fi

# Every source file as .clang-format lays it out.
find core terms structure free conditions commands draw io ui script tests bench -name '*.cpp' -o -name '*.h' |
  xargs clang-format --dry-run --Werror
configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DKEST_WERROR=ON -DKEST_BUILD_GUI=ON
(cd build/release && ctest --output-on-failure -j "$jobs")
configure_and_build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEST_WERROR=ON -DKEST_SANITIZE=ON -DKEST_BUILD_GUI=ON \
  -DKEST_BUILD_BENCH=OFF
suppressions="$(pwd)/tests/lsan.supp"
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$suppressions:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

# The fuzz targets, briefly (KEST_FUZZ_SECONDS each; tests/fuzz/README.md
# says how to run them longer).
CXX=clang++ configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEST_FUZZ=ON -DKEST_BUILD_GUI=OFF \
  -DKEST_BUILD_TESTS=OFF -DKEST_BUILD_BENCH=OFF
seconds=${KEST_FUZZ_SECONDS:-15}
fuzz() {  # target, seed folder
  local corpus=build/fuzz/corpus/$1
  mkdir -p "$corpus"
  echo "Fuzzing $1 for $seconds s"
  (cd build/fuzz && UBSAN_OPTIONS=print_stacktrace=1 ./tests/fuzz/"$1" "../../$corpus" "../../$2" \
    -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=0 2>&1 | tail -n 3)
}
fuzz script_fuzz tests/scripts
fuzz term_fuzz tests/fuzz/corpus/terms
fuzz workspace_file_fuzz tests/fuzz/corpus/workspace
fuzz algebra_file_fuzz tests/fuzz/corpus/algebra
fuzz ua_file_fuzz tests/fuzz/corpus/ua
fuzz mace4_file_fuzz tests/fuzz/corpus/mace4
