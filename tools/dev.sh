#!/usr/bin/env bash
# The project's two entry points, for a fresh Debian 12 machine:
#   tools/dev.sh test   install what is missing, build, run every test
#                       (then again under AddressSanitizer + UBSan)
#   tools/dev.sh demo   install what is missing, build, translate, compile and run
#                       the bundled example
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build DIR [CMAKE ARGS...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
  test)
    tools/install-deps.sh
    build build
    ctest --test-dir build --output-on-failure -j "$jobs"
    build build-asan -DCORVEL_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j "$jobs" -L 'unit|golden'
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
    echo "usage: tools/dev.sh test|demo" >&2
    exit 2
    ;;
esac
