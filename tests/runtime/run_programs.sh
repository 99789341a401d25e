#!/usr/bin/env bash
# Runs the programs shaped like translated ones: each programs/NAME/ holds NAME.java and NAME.html,
# NAME.classes (the KWV_/KWA_/KWL_ classes the translator would copy, one a line), NAME.expect
# (the text screen at the end), and optionally NAME.in (INPUT lines), NAME.args (more viewer
# arguments), NAME.status (the exit status, 0 by default), NAME.stderr (text standard error must
# hold).
# The program is compiled against a folder holding only what the copy rules bring, and run by the
# viewer with that folder and a folder holding only the viewer on the class path.
# usage: run_programs.sh SYSLIB PROGRAMS_DIR
set -uo pipefail
syslib=$1 programs=$2
always="KWC_Applet KWC_Array KWC_Color KWC_Color_Browser KWC_Color_Natural KWC_GraphicScreen
KWC_Image KWC_Screen KWC_SpriteScreen KWC_TextScreen KWC_TransFilter"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/viewer"
cp "$syslib"/KWC_Viewer*.class "$work/viewer/"

failures=0 count=0
# The always-copied classes must not need a class that is copied only on demand.
if (cd "$syslib" && javap -v $(printf '%s.class ' $always)) | grep -o 'KW[VAL]_[A-Za-z0-9_]*' | sort -u | grep .; then
  echo "FAIL always-copied classes refer to the classes above"
  failures=$((failures + 1))
fi
for dir in "$programs"/*/; do
  name=$(basename "$dir")
  out="$work/$name"
  mkdir "$out"
  count=$((count + 1))
  for c in $always $(cat "$dir/$name.classes" 2>/dev/null); do
    cp "$syslib/$c.class" "$out/" || { echo "FAIL $name: no class $c"; failures=$((failures + 1)); continue 2; }
  done
  cp "$dir/$name.java" "$dir/$name.html" "$out/"
  [ -e "$dir/assets" ] && cp -r "$dir/assets/." "$out/"
  if ! (cd "$out" && javac -encoding UTF-8 -cp . "$name.java" 2>"$out/javac.log"); then
    echo "FAIL $name: javac"; cat "$out/javac.log"; failures=$((failures + 1)); continue
  fi
  args=(--headless --timeout-ms 20000 --dump-text "$out/screen.txt")
  [ -f "$dir/$name.in" ] && args+=(--input "$dir/$name.in")
  [ -f "$dir/$name.args" ] && mapfile -t extra < "$dir/$name.args" && args+=("${extra[@]}")
  java -cp "$out:$work/viewer" KWC_Viewer "${args[@]}" "$out/$name.html" \
    >"$out/stdout.txt" 2>"$out/stderr.txt"
  status=$?
  want=$(cat "$dir/$name.status" 2>/dev/null || echo 0)
  problem=""
  [ "$status" = "$want" ] || problem="exit status $status, expected $want"
  if [ -z "$problem" ] && ! diff -u "$dir/$name.expect" "$out/screen.txt" >"$out/diff.txt"; then
    problem="screen differs:
$(cat "$out/diff.txt")"
  fi
  if [ -z "$problem" ] && [ -f "$dir/$name.stderr" ] && ! grep -qF -f "$dir/$name.stderr" "$out/stderr.txt"; then
    problem="standard error lacks: $(cat "$dir/$name.stderr")"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $name: $problem"
    echo "--- stderr:"; cat "$out/stderr.txt"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
done
# The viewer's own refusals, beside the program Start: DISPLAY, the arguments, the exit status
# and the one line standard error must hold, with no Java class or stack frame.
cd "$work/Start" && mkdir folder && echo "not a class file" >Junk.class
echo '<applet code="Absent.class">' >absent.html; echo '<applet code="Junk.class">' >junk.html
while IFS='|' read -r display args want text; do
  count=$((count + 1))
  DISPLAY=$display java -cp ".:$work/viewer" KWC_Viewer $args >/dev/null 2>refusal.txt
  status=$?
  if [ "$status" = "$want" ] && grep -qF "$text" refusal.txt && ! grep -qE "at |Exception|Error" refusal.txt; then
    echo "ok   viewer $args"
  else
    echo "FAIL viewer $args: exit $status, expected $want: $(cat refusal.txt)"; failures=$((failures + 1))
  fi
done <<'ROWS'
|--headless absent.html|2|Absent.class がありません
|--headless junk.html|2|Junk.class が壊れているか
:1999|Start.html|2|ウィンドウを開く画面がありません
|--headless --png folder Start.html|2|folder: フォルダです
|--headless --png none/x.png Start.html|2|フォルダがありません
ROWS
echo "$((count - failures)) of $count programs passed"
[ "$failures" -eq 0 ]
