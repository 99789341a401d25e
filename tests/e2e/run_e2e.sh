#!/usr/bin/env bash
# One end-to-end program: NAME.txt translated and compiled by the real corvel
# binary (source and output folders with spaces in their paths), run by the
# viewer without a display (NAME.in typed at INPUT prompts) in a Turkish
# locale, where case mapping or number formats that depend on the locale
# show, and its screen compared with NAME.out. CORVEL_UPDATE_GOLDEN=1 writes NAME.out instead.
set -uo pipefail
corvel=$(realpath "$1")
program=$(realpath "$2")
name=$(basename "${program%.txt}")
expect=${program%.txt}.out
input=${program%.txt}.in

work=$(mktemp -d "${TMPDIR:-/tmp}/corvel e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/source folder" "$work/output folder"
cp "$program" "$work/source folder/"
if ! "$corvel" -q -o "$work/output folder" "$work/source folder/$name.txt"; then
  echo "translation or javac failed"; exit 1
fi
viewer=(java -Duser.language=tr -Duser.country=TR -cp "$work/output folder" KWC_Viewer --headless --timeout-ms 20000 --dump-text -)
[ -f "$input" ] && viewer+=(--input "$input")
(cd "$work/output folder" && "${viewer[@]}" "$name.html") >"$work/actual" 2>"$work/stderr"
status=$?
[ "$status" -ne 0 ] && echo "exit $status" >>"$work/actual" && cat "$work/stderr" >>"$work/actual"

if [ "${CORVEL_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$work/actual" "$expect"
  echo "updated $expect"; cat "$expect"
  exit 0
fi
diff -u "$expect" "$work/actual"
