#!/usr/bin/env bash
# Runs the programs of a .cases file through the real corvel binary:
#   run_cases.sh CORVEL CASES_FILE
# Each line that is neither empty nor begins with '#' is one case,
#   SOURCE<TAB>EXPECTED
# SOURCE is the whole program on one line: \n stands for a line break, \t for
# a tab and \\ for a backslash; any other character, a lone backslash
# included, stands for itself. The program is written to t.txt (UTF-8, a line
# end at its end only where SOURCE has one) and translated with
#   CORVEL -q --no-javac --diagnostics=gnu -o OUT t.txt
# EXPECTED is its one line of standard error, as written:
#   t.txt:LINE:COLUMN: error: MESSAGE   or   t.txt:LINE: error: MESSAGE
# The translator must also exit with 1 and leave OUT empty. Or EXPECTED is
#   java: TEXT
# for a program that translates: then one line of t.java, its indentation
# left out, is exactly TEXT (the Java of the statement it is about); or
#   html: TEXT
# the same for a line of the page t.html. A procedure's method is written M#:
# its number counts the library's entries too, so it moves when one is added.
# CORVEL_UPDATE_GOLDEN=1 rewrites each report from the actual output.
set -uo pipefail
corvel=$1
cases=$2
[[ $corvel == */* ]] && corvel=$(realpath "$corvel")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
update=${CORVEL_UPDATE_GOLDEN:-0}
passed=0 failed=0 number=0
: >"$work/updated"

while IFS= read -r line || [[ -n $line ]]; do
  number=$((number + 1))
  if [[ -z $line || $line == '#'* ]]; then
    printf '%s\n' "$line" >>"$work/updated"
    continue
  fi
  source=${line%%$'\t'*}
  expected=${line#*$'\t'}
  [[ $line == *$'\t'* ]] || expected="(no tab in this line)"
  # \\ is set aside first, so that "\\n" stays a backslash and an n.
  text=${source//\\\\/$'\1'}
  text=${text//\\n/$'\n'}
  text=${text//\\t/$'\t'}
  text=${text//$'\1'/\\}
  rm -rf "$work/run" && mkdir -p "$work/run/out"
  printf '%s' "$text" >"$work/run/t.txt"
  (cd "$work/run" && "$corvel" -q --no-javac --diagnostics=gnu -o out t.txt >/dev/null 2>stderr)
  status=$?
  # Standard error of one whole line is compared without its line end;
  # anything else is shown with every line end as \n.
  raw=$(cat "$work/run/stderr"; echo .)
  raw=${raw%.}
  if [[ $raw == *$'\n' && ${raw%$'\n'} != *$'\n'* ]]; then
    actual=${raw%$'\n'}
  else
    actual=${raw//$'\n'/\\n}
  fi
  problem=
  if [[ $expected == 'java: '* || $expected == 'html: '* ]]; then
    printf '%s\n' "$line" >>"$work/updated"
    if [[ $status -ne 0 ]]; then
      problem="expected a translation got ${actual:-exit $status}"
    elif ! sed -E 's/^ *//; s/\r$//; s/(^|[^A-Za-z0-9_])M[0-9]+\(/\1M#(/g' "$work/run/out/t.${expected%%:*}" |
        grep -qxF -- "${expected#*: }"; then
      problem="no ${expected%%:*} line ${expected#*: }"
    fi
  elif printf '%s\t%s\n' "$source" "$actual" >>"$work/updated"; [[ $actual != "$expected" ]]; then
    problem="expected $expected got ${actual:-no report (exit $status)}"
  elif [[ $status -ne 1 ]]; then
    problem="expected exit 1 got exit $status"
  elif [[ -n $(ls -A "$work/run/out") ]]; then
    problem="expected an empty output folder got $(ls -A "$work/run/out" | tr '\n' ' ')"
  fi
  if [[ -z $problem ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $number: $problem"
  fi
done <"$cases"

echo "$passed passed, $failed failed"
if [[ $update == 1 ]]; then
  cp "$work/updated" "$cases"
  echo "updated $cases"
  exit 0
fi
[[ $failed -eq 0 ]]
