#!/usr/bin/env bash
# The project's two entry points, for a fresh Debian 12 machine:
#   tools/dev.sh test   install what is missing, build, run every test
#                       (then again under AddressSanitizer + UBSan)
#   tools/dev.sh demo   install what is missing, build, translate, compile and run
#                       the bundled example
# and two for developers:
#   tools/dev.sh quick  install what is missing, build, run only the tests that
#                       take seconds (label quick: unit, golden, runtime)
#   tools/dev.sh coverage
#                       per test: the lines and branches of src/ and the runtime
#                       methods that nothing else covers (tools/test_value.py)
#   tools/dev.sh mutants [COUNT] [SEED]
#                       mutants of src/ (default 240, seed 24) in a copy of HEAD,
#                       and which tests kill each
#   tools/dev.sh package [BUILD_DIR]
#                       the Debian package, built in Release with Debian's
#                       hardening flags (default build-package/), then lintian
#   tools/dev.sh fuzz [SECONDS]
#                       fuzz the whole translation for SECONDS (default 300),
#                       then compile a few hundred mutants of the end-to-end
#                       programs with javac; new findings go to fuzz-out/
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build DIR [CMAKE ARGS...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

# The libFuzzer build: clang, with the translator instrumented.
build_fuzz() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVEL_FUZZ=ON >/dev/null
  cmake --build build-fuzz -j "$jobs" --target corvel_fuzz
}
fuzzer=build-fuzz/tests/fuzz/corvel_fuzz
# The committed seeds: programs of every test folder and the inputs of
# findings mended so far.
seeds=(tests/fuzz/seeds tests/fuzz/regressions tests/e2e tests/e2e/pixels tests/programs examples)

# Every test is labelled quick or long (tests/CMakeLists.txt); one labelled
# neither would silently drop out of the quick run.
check_speed_labels() {  # check_speed_labels BUILD_DIR
  local unlabelled
  unlabelled=$(comm -23 <(ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sort) \
                        <(ctest --test-dir "$1" -N -L '^(quick|long)$' | sed -n 's/^ *Test *#[0-9]*: //p' | sort))
  if [ -n "$unlabelled" ]; then
    echo "tests labelled neither quick nor long:" >&2
    echo "$unlabelled" >&2
    return 1
  fi
}

# Test code against the code it tests (C++, Java, Python and shell, blank lines
# left out; programs and their expected screens are data, not test code). The
# suite is kept between a quarter and a third of the code.
test_share() {
  count() { git ls-files -co --exclude-standard -- "$@" | grep -E '\.(cpp|cc|h|hpp|java|py|sh)$' \
              | xargs -r cat | grep -c -v -E '^\s*$'; }
  local code tests
  code=$(count src runtime) tests=$(count tests)
  echo "test code: $tests lines against $code lines of code ($((100 * tests / code)) %; at most 33 %)"
  if [ $((100 * tests)) -gt $((33 * code)) ]; then
    echo "test code is over a third of the code: merge or remove what no longer catches anything" >&2
  fi
}

case "${1:-}" in
  quick)
    tools/install-deps.sh
    build build
    check_speed_labels build
    ctest --test-dir build --output-on-failure -j "$jobs" -L quick
    test_share
    ;;
  test)
    tools/install-deps.sh
    build build
    # The compile servers `corvel --run` leaves behind end once their folder
    # is gone: the tests' folder goes with the tests.
    runtime=$(mktemp -d)
    trap 'rm -rf "$runtime"' EXIT
    XDG_RUNTIME_DIR=$runtime ctest --test-dir build --output-on-failure -j "$jobs"
    build build-asan -DCORVEL_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j "$jobs" -L 'unit|golden'
    # The fuzz target replays every committed seed, then a fixed-seed run of
    # a fixed number of inputs: the same inputs on every machine.
    build_fuzz
    scratch=$(mktemp -d)
    "$fuzzer" -runs=0 "${seeds[@]}"
    # Findings saved by earlier fuzz runs on this machine must be mended too.
    if compgen -G 'fuzz-out/crashes/*' >/dev/null; then "$fuzzer" fuzz-out/crashes/*; fi
    "$fuzzer" -seed=1 -runs=30000 -dict=tests/fuzz/corvel.dict -artifact_prefix="$scratch/" "$scratch" "${seeds[@]}"
    rm -rf "$scratch"
    test_share
    ;;
  fuzz)
    tools/install-deps.sh
    build build
    build_fuzz
    seconds=${2:-300}
    mkdir -p fuzz-out/corpus fuzz-out/crashes
    # New inputs go to the first folder; the committed seeds stay as they are.
    "$fuzzer" -max_total_time="$seconds" -dict=tests/fuzz/corvel.dict -print_final_stats=1 \
      -artifact_prefix=fuzz-out/crashes/ fuzz-out/corpus "${seeds[@]}"
    seed=$RANDOM
    echo "mutants of the end-to-end programs, seed $seed"
    build/tests/fuzz/corvel_mutants build/corvel build/SysLib tests/e2e 400 "$seed"
    ;;
  coverage)
    tools/install-deps.sh
    build build-cov -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage
    python3 tools/test_value.py coverage build-cov build-cov/coverage.json
    ;;
  mutants)
    tools/install-deps.sh
    # The sources are mutated in place, so in a tree of their own: an interrupted
    # run never leaves a mutant in the working tree.
    tree=build-mutants/tree
    rm -rf "$tree" && git worktree prune && git worktree add --detach "$tree" HEAD >/dev/null
    cp tools/test_value.py "$tree/tools/"
    (cd "$tree" && build build -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O0 -g0" &&
      python3 tools/test_value.py mutants build ../mutants.json --count "${2:-240}" --seed "${3:-24}")
    ;;
  package)
    tools/install-deps.sh
    dir=${2:-build-package}
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
      build "$dir" -DCMAKE_BUILD_TYPE=Release -DCORVEL_TESTS=OFF
    rm -f "$dir"/corvel_*.deb
    (cd "$dir" && cpack -G DEB >/dev/null)
    deb=$(ls "$dir"/corvel_*.deb)
    lintian --fail-on error "$deb" || exit 1
    echo "$deb"
    ;;
  demo)
    tools/install-deps.sh
    build build
    out=build/demo
    # Translates, compiles with javac and runs the example: in a window when
    # there is a display, else without one, printing the screen at the end.
    build/corvel --run -o "$out" examples/Hello.txt
    echo "The translated program is in $out (open it again: java -cp $out KWC_Viewer $out/Hello.html)."
    ;;
  *)
    echo "usage: tools/dev.sh test|demo|quick|package [DIR]|coverage|mutants [COUNT] [SEED]|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
