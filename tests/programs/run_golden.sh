#!/usr/bin/env bash
# Runs one golden program through the real corvel binary and compares its
# exit status and standard error with NAME.expect:
#   exit N
#   --- stderr
#   <standard error, exactly>
# A rejected program must leave its output folder empty. The runtime comes
# from the build folder beside the binary.
# CORVEL_UPDATE_GOLDEN=1 writes the actual result as the new expectation.
set -uo pipefail
corvel=$1
program=$2
expect=${program%.txt}.expect

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/out"
"$corvel" --no-javac -q -o "$work/out" "$program" >"$work/stdout" 2>"$work/stderr"
status=$?
{ echo "exit $status"; echo "--- stderr"; cat "$work/stderr"; } >"$work/actual"

# NAME.java.expect and NAME.html.expect, where present, hold the exact bytes
# of the written files.
name=$(basename "${program%.txt}")
if [ "${CORVEL_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$work/actual" "$expect"
  for ext in java html; do
    [ -f "${program%.txt}.$ext.expect" ] && cp "$work/out/$name.$ext" "${program%.txt}.$ext.expect"
  done
  echo "updated $expect"
  exit 0
fi
for ext in java html; do
  if [ -f "${program%.txt}.$ext.expect" ] && ! cmp -s "${program%.txt}.$ext.expect" "$work/out/$name.$ext"; then
    echo "$name.$ext differs from ${program%.txt}.$ext.expect:"
    diff "${program%.txt}.$ext.expect" "$work/out/$name.$ext" | head -40
    exit 1
  fi
done
if [ ! -f "$expect" ]; then
  echo "missing $expect; actual result:"; cat "$work/actual"; exit 1
fi
if ! diff -u "$expect" "$work/actual"; then
  exit 1
fi
if [ "$status" -ne 0 ] && [ -n "$(ls -A "$work/out")" ]; then
  echo "a rejected program wrote into its output folder:"; ls -A "$work/out"; exit 1
fi
exit 0
