#!/usr/bin/env bash
# Draws the manual's pictures: every program of the pages followed by
# ![..](../img/NAME.png) is run by the viewer, and its screen is written to
# docs/manual/img/NAME.png. The manual's test fails when a picture is no
# longer what its program draws; run this after changing such a program.
# usage: tools/manual_pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs/manual/img
# The Japanese pages draw the pictures; the English pages, which show the
# same programs, must then draw the same.
UPDATE_PICTURES=1 bash tests/docs/manual_examples.sh "$build/corvel" tests/fuzz/CompileEach.java \
  docs/manual/ja "$work/ja"
bash tests/docs/manual_examples.sh "$build/corvel" tests/fuzz/CompileEach.java docs/manual/en "$work/en"
