#!/usr/bin/env bash
# The compile step of the end-to-end programs, shared by their tests: every
# PROGRAM_DIR/NAME.txt is copied to WORK/NAME/source folder/ and translated by
# the real corvel binary (without javac) into WORK/NAME/output folder/, then
# one virtual machine compiles every translated program, each on its own
# against the runtime classes the translator copied beside it. What went
# wrong with a program is left for its own test (run_e2e.sh) to report:
# WORK/NAME/translation holds corvel's report when it refused, NAME.javac-failed
# in the output folder javac's messages.
# usage: compile_e2e.sh CORVEL COMPILE_EACH_JAVA PROGRAM_DIR WORK [CORVEL OPTION...]
set -uo pipefail
corvel=$(realpath "$1")
compile_each=$(realpath "$2")
programs=$(realpath "$3")
work=$4
shift 4

rm -rf "$work"
mkdir -p "$work" || exit 1
list="$work/translated.txt"
: >"$list"
count=0 refused=0
for program in "$programs"/*.txt; do
  name=$(basename "${program%.txt}")
  mkdir -p "$work/$name/source folder" "$work/$name/output folder"
  cp "$program" "$work/$name/source folder/"
  count=$((count + 1))
  if "$corvel" -q --no-javac "$@" -o "$work/$name/output folder" "$work/$name/source folder/$name.txt" \
      >"$work/$name/translation" 2>&1; then
    rm "$work/$name/translation"
    echo "$work/$name/output folder/$name.java" >>"$list"
  else
    echo "exit $?" >>"$work/$name/translation"
    refused=$((refused + 1))
  fi
done
echo "$count programs, $refused refused by the translator"
[ -s "$list" ] || exit 0
java "$compile_each" --own-folder "$list"

# Every translated program must have come out of javac one way or the other.
status=0
while IFS= read -r java_file; do
  base=${java_file%.java}
  if [ ! -f "$base.class" ] && [ ! -f "$base.javac-failed" ]; then
    echo "javac left no outcome for $java_file"
    status=1
  fi
done <"$list"
exit "$status"
