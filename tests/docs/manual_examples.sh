#!/usr/bin/env bash
# Every program of the manual, as a user would copy it: each ```corvel block
# of docs/manual/ja/*.md is translated and compiled; one followed by an
# ```output block (after an optional ```input block, typed at INPUT) is run
# headless and must show exactly that screen. A ```corvel-error block must be
# refused, with exactly the report of the ```report block after it. A picture
# ![..](../img/NAME.png) after a program (or its output) is that program's
# screen, and must stay what the viewer draws: with UPDATE_PICTURES set, the
# pictures are written instead (tools/manual_pictures.sh).
# usage: manual_examples.sh CORVEL COMPILE_EACH_JAVA MANUAL_DIR WORK
set -uo pipefail
corvel=$(realpath "$1")
compile_each=$2
manual=$(realpath "$3")
work=$4
here=$(dirname "$(realpath "$0")")
rm -rf "$work"
mkdir -p "$work/programs" "$work/refused"

# Split the pages into NAME.txt, NAME.in, NAME.out (programs) and
# NAME.txt, NAME.report (refused programs).
for page in "$manual"/*.md; do
  stem=$(basename "$page" .md | tr -c 'A-Za-z0-9\n' '_')
  awk -v stem="$stem" -v programs="$work/programs" -v refused="$work/refused" '
    function flush() { if (file != "") { printf "%s", text > file; close(file) } file = ""; text = "" }
    /^```/ && inside { flush(); inside = 0; last = kind; next }
    inside { text = text $0 "\n"; next }
    /^```corvel$/       { n++; name = "Ex_" stem "_" n; file = programs "/" name ".txt"; inside = 1; kind = "corvel"; next }
    /^```corvel-error$/ { n++; name = "Ex_" stem "_" n; file = refused "/" name ".txt"; inside = 1; kind = "error"; next }
    /^```input$/  && last == "corvel" { file = programs "/" name ".in"; inside = 1; kind = "corvel"; next }
    /^```output$/ && last == "corvel" { file = programs "/" name ".out"; inside = 1; kind = "output"; next }
    /^```report$/ && last == "error"  { file = refused "/" name ".report"; inside = 1; kind = "report"; next }
    /^```/ { inside = 1; kind = "other"; next }
    /^!\[.*\]\(\.\.\/img\/.*\.png\)$/ && (last == "corvel" || last == "output") {
      picture = $0; sub(/.*\/img\//, "", picture); sub(/\)$/, "", picture)
      print picture > (programs "/" name ".picture"); close(programs "/" name ".picture"); next }
    /[^ ]/ { last = "" }
  ' "$page"
done
count=$(ls "$work/programs"/*.txt 2>/dev/null | wc -l)
[ "$count" -gt 0 ] || { echo "no program found in $manual"; exit 1; }

failures=0 ran=0
bash "$here/../e2e/compile_e2e.sh" "$corvel" "$compile_each" "$work/programs" "$work/compiled" >/dev/null
for program in "$work/programs"/*.txt; do
  name=$(basename "$program" .txt)
  out="$work/compiled/$name/output folder"
  if [ -f "$work/compiled/$name/translation" ]; then
    echo "FAIL $name: refused"; cat "$program" "$work/compiled/$name/translation"; failures=$((failures + 1)); continue
  fi
  if [ ! -f "$out/$name.class" ]; then
    echo "FAIL $name: javac failed"; cat "$out/$name.javac-failed" 2>/dev/null; failures=$((failures + 1)); continue
  fi
  picture=$(cat "$work/programs/$name.picture" 2>/dev/null)
  [ -f "$work/programs/$name.out" ] || [ -n "$picture" ] || continue
  viewer=(java -cp "$out" KWC_Viewer --headless --timeout-ms 20000 --dump-text -)
  [ -f "$work/programs/$name.in" ] && viewer+=(--input "$work/programs/$name.in")
  [ -n "$picture" ] && viewer+=(--png "$work/$name.png")
  (cd "$out" && "${viewer[@]}" "$name.html") >"$work/$name.screen" 2>"$work/$name.stderr"
  ran=$((ran + 1))
  if [ -n "$picture" ] && [ -n "${UPDATE_PICTURES:-}" ]; then
    cp "$work/$name.png" "$manual/../img/$picture" && echo "$picture"
  elif [ -n "$picture" ] && ! cmp -s "$work/$name.png" "$manual/../img/$picture"; then
    echo "FAIL $name: the picture $picture is not what the program draws"; failures=$((failures + 1))
  fi
  [ -f "$work/programs/$name.out" ] || continue
  # Trailing blank lines of the screen are not part of what the page shows.
  if ! diff -u <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$work/programs/$name.out") \
                <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$work/$name.screen") >"$work/$name.diff"; then
    echo "FAIL $name: the screen differs from the manual's"; cat "$program" "$work/$name.diff" "$work/$name.stderr"
    failures=$((failures + 1))
  fi
done
refused=0
for program in "$work/refused"/*.txt; do
  [ -f "$program" ] || continue
  name=$(basename "$program" .txt)
  refused=$((refused + 1))
  "$corvel" -q --no-javac -o "$work/refused/out" "$program" 2>"$work/refused/$name.actual" >/dev/null
  status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL $name: exit $status, not a report"; failures=$((failures + 1))
  elif [ -f "$work/refused/$name.report" ] && ! diff -u "$work/refused/$name.report" "$work/refused/$name.actual"; then
    echo "FAIL $name: the report differs from the manual's"; failures=$((failures + 1))
  fi
done
echo "$count programs (run and compared: $ran), $refused refused programs; $failures failed"
[ "$failures" -eq 0 ]
