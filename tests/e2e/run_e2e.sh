#!/usr/bin/env bash
# One end-to-end program, translated and compiled by compile_e2e.sh into
# WORK/NAME/output folder/: run by the viewer without a display (NAME.in
# typed at INPUT prompts) in a Turkish locale, where case mapping or number
# formats that depend on the locale show, and its screen compared with
# NAME.out. CORVEL_UPDATE_GOLDEN=1 writes NAME.out instead. The heap is capped
# so that a program too large for memory fails alike on every machine.
# usage: run_e2e.sh WORK PROGRAM
set -uo pipefail
work=$1
program=$(realpath "$2")
name=$(basename "${program%.txt}")
expect=${program%.txt}.out
input=${program%.txt}.in
dir="$work/$name"
out="$dir/output folder"

if [ -f "$dir/translation" ]; then
  echo "translation failed:"; cat "$dir/translation"; exit 1
fi
if [ -f "$out/$name.javac-failed" ]; then
  echo "javac failed:"; cat "$out/$name.javac-failed"; exit 1
fi
if [ ! -f "$out/$name.class" ]; then
  echo "not compiled: no $out/$name.class (the e2e.compile step did not run or failed)"; exit 1
fi
viewer=(java -Xmx512m -Duser.language=tr -Duser.country=TR -cp "$out" KWC_Viewer --headless --timeout-ms 20000 --dump-text -)
[ -f "$input" ] && viewer+=(--input "$input")
(cd "$out" && "${viewer[@]}" "$name.html") >"$dir/actual" 2>"$dir/stderr"
status=$?
[ "$status" -ne 0 ] && echo "exit $status" >>"$dir/actual"
# Whatever the viewer says on standard error is part of the screen: a stack
# trace of a thread that died while the program went on shows here.
cat "$dir/stderr" >>"$dir/actual"

if [ "${CORVEL_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$dir/actual" "$expect"
  echo "updated $expect"; cat "$expect"
  exit 0
fi
diff -u "$expect" "$dir/actual"
