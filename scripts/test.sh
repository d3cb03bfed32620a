#!/usr/bin/env bash
# Sets everything up and runs every test: the optimised build with all
# tests, then the core tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target for a short fixed time
# over its seeds (where clang with libFuzzer is there).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
# AddressSanitizer of older compilers (GCC 13 on Ubuntu 24.04) fails at
# start under the kernel's high address randomisation; without
# randomisation it works everywhere. Where that cannot be switched off (a
# container may refuse it), the tests run as they are.
if setarch "$(uname -m)" -R true 2>/dev/null; then
  setarch "$(uname -m)" -R ctest --preset asan -j "$jobs"
else
  ctest --preset asan -j "$jobs"
fi

# The fuzz targets of the readers, each for a short fixed time over its seed
# corpus (WELVARO_FUZZ_SECONDS, default 10), several at once: a finding
# fails the run. Needs clang with its libFuzzer runtime.
probe=$(mktemp -d)
if command -v clang++ >/dev/null &&
   echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
     clang++ -x c++ -fsanitize=fuzzer - -o "$probe/probe" 2>/dev/null; then
  rm -rf "$probe"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$jobs"
  scripts/fuzz.sh "${WELVARO_FUZZ_SECONDS:-10}"
else
  rm -rf "$probe"
  echo "test.sh: clang++ with libFuzzer not found; the fuzz targets were not run" >&2
fi
