#!/usr/bin/env bash
# Programs whose Java passes the limits of a method or a class file: blocks
# of 5,000 statements of every kind, with and without a jump out of their
# middle, long else-if chains, tens of thousands of variables and literals.
#   long_programs.sh write DIR                       writes NAME.txt and NAME.out
#   long_programs.sh test CORVEL COMPILE_EACH WORK   writes, translates, compiles and runs them
set -uo pipefail

# block KIND JUMP: a block of 5,000 statements, run twice by the loops.
block() {
  awk -v kind="$1" -v jump="$2" 'function body(n,  k) {
      for (k = 0; k < n; k++) {
        printf "T& = T& + %d\r\n", k % 7 + 1
        if (jump && k == int(n / 2)) printf "IF T& < 0 THEN GOTO DONE\r\n"
      }
    }
    BEGIN { n = 5000; printf "T& = 0: X%% = 7: S$ = \"c7\"\r\n"
    if (kind == "if") { printf "IF X%% = 7 THEN\r\n"; body(n); printf "ELSE\r\nT& = -1\r\nEND IF\r\n" }
    if (kind == "for") { printf "FOR I%% = 1 TO 2\r\n"; body(n); printf "NEXT\r\n" }
    if (kind == "while") { printf "WHILE I%% < 2\r\nI%% = I%% + 1\r\n"; body(n); printf "WEND\r\n" }
    if (kind == "dowhile") { printf "DO WHILE I%% < 2\r\nI%% = I%% + 1\r\n"; body(n); printf "LOOP\r\n" }
    if (kind == "dountil") { printf "DO UNTIL I%% >= 2\r\nI%% = I%% + 1\r\n"; body(n); printf "LOOP\r\n" }
    if (kind == "loopwhile") { printf "DO\r\nI%% = I%% + 1\r\n"; body(n); printf "LOOP WHILE I%% < 2\r\n" }
    if (kind == "loopuntil") { printf "DO\r\nI%% = I%% + 1\r\n"; body(n); printf "LOOP UNTIL I%% >= 2\r\n" }
    if (kind == "switch" || kind == "ifchain") {
      printf kind == "switch" ? "SELECT CASE X%%\r\n" : "SELECT CASE S$\r\n"
      for (c = 0; c < n / 5; c++) { printf kind == "switch" ? "CASE %d\r\n" : "CASE \"c%d\"\r\n", c; body(4) }
      printf "CASE ELSE\r\nT& = -1\r\nEND SELECT\r\n"
    }
    printf "*DONE: PRINT T&\r\n" }'
}

write() {
  local dir=$1
  mkdir -p "$dir"
  for kind in if for while dowhile dountil loopwhile loopuntil switch ifchain; do
    for jump in 0 1; do
      local name=block_${kind}_$jump
      block "$kind" "$jump" >"$dir/$name.txt"
      case $kind in if) echo " 19995" ;; switch | ifchain) echo " 10" ;; *) echo " 39990" ;; esac >"$dir/$name.out"
    done
  done
  # A game loop: a DO holding a SELECT CASE, 4,400 lines.
  awk 'BEGIN { printf "DO\r\nN%% = N%% + 1\r\nSELECT CASE N%% MOD 4\r\n"
    for (c = 0; c < 4; c++) { printf "CASE %d\r\n", c; for (k = 0; k < 1095; k++) printf "  P& = P& + %d\r\n", c + 1 }
    printf "END SELECT\r\nLOOP UNTIL N%% = 10\r\nPRINT P&\r\n" }' >"$dir/game_loop.txt"
  echo " 27375" >"$dir/game_loop.out"
  # Dense lines: 600 one-line IFs with calls and arrays in a DO WHILE.
  awk 'BEGIN { printf "DIM X(3) AS SINGLE\r\nX(1) = 6: X(2) = 9: X(3) = 1\r\nDO WHILE K%% < 3\r\nK%% = K%% + 1\r\n"
    for (k = 0; k < 600; k++) printf "IF X(K%%) > 5 THEN S$ = S$ + MID$(\"abc\", K%%, 1): Y# = Y# + X(K%%) * 5\r\n"
    printf "LOOP\r\nPRINT LEN(S$); Y#\r\n" }' >"$dir/dense_lines.txt"
  echo " 1200  45000" >"$dir/dense_lines.out"
  # 3,000 ELSEIF branches, and 2,000 CASEs on a DOUBLE and 5,000 on an
  # integer: more values than one switch statement holds.
  awk 'BEGIN { printf "X%% = 2999\r\nIF X%% = -1 THEN\r\nPRINT -1\r\n"
    for (k = 0; k < 3000; k++) printf "ELSEIF X%% = %d THEN\r\nPRINT %d\r\n", k, k; printf "END IF\r\n" }' >"$dir/many_elseifs.txt"
  echo " 2999" >"$dir/many_elseifs.out"
  awk 'BEGIN { printf "X# = 1777.5\r\nSELECT CASE X#\r\n"
    for (k = 0; k < 2000; k++) printf "CASE %d.5\r\nPRINT %d\r\n", k, k; printf "END SELECT\r\n" }' >"$dir/many_cases.txt"
  echo " 1777" >"$dir/many_cases.out"
  awk 'BEGIN { printf "X%% = 4321\r\nSELECT CASE X%%\r\n"
    for (k = 0; k < 5000; k++) printf "CASE %d\r\nT& = %d\r\n", k, k; printf "END SELECT\r\nPRINT T&\r\n" }' >"$dir/many_values.txt"
  echo " 4321" >"$dir/many_values.out"
  # 32,767 lines of distinct literals: more constants than a class holds.
  awk 'BEGIN { for (k = 1; k <= 32767; k++) printf "PRINT \"text %d\"; %d.5\r\n", k, k }' >"$dir/many_literals.txt"
  awk 'BEGIN { for (k = 1; k <= 32767; k++) printf "text %d %d.5\n", k, k }' >"$dir/many_literals.out"
  # As many variables as the tables hold: module-level ones and locals.
  awk 'BEGIN { for (l = 0; l < 327; l++) for (t = 0; t < 2; t++) {
      printf t ? "PUBLIC " : "PRIVATE "; for (k = 0; k < 100; k++) printf "%s%s%d", (k ? ", " : ""), (t ? "H" : "G"), l * 100 + k
      printf "\r\n" }
    for (k = 0; k < 30000; k++) printf "V%d = %d\r\n", k, k
    printf "G1 = 5: H32699 = 7\r\nPRINT G1; H32699; V0; V29999\r\n" }' >"$dir/many_variables.txt"
  echo " 5  7  0  29999" >"$dir/many_variables.out"
  # A FUNCTION of 6,000 lines that calls itself, with and without a jump:
  # each call has a frame of its own.
  for jump in 0 1; do
    awk -v jump=$jump 'BEGIN { printf "PRINT LONGF&(3)\r\nFUNCTION LONGF&(N&)\r\nT& = 0\r\n"
      for (k = 0; k < 6000; k++) { printf "T& = T& + 1\r\n"; if (jump && k == 3000) printf "IF T& < 0 THEN GOTO *OUT\r\n" }
      printf "IF N& > 0 THEN T& = T& + LONGF(N& - 1)\r\n*OUT\r\nLONGF = T&\r\nEND FUNCTION\r\n" }' >"$dir/long_function_$jump.txt"
    echo " 24000" >"$dir/long_function_$jump.out"
  done
  # Many short procedures whose literals together pass a class file's
  # constants: the later ones are written as frames of their own.
  awk 'BEGIN { for (p = 0; p < 40; p++) printf "S%d\r\n", p
    for (p = 0; p < 40; p++) { printf "SUB S%d()\r\n", p
      for (l = 0; l < 8; l++) { printf "IF X = 1 THEN PRINT"; for (k = 0; k < 110; k++) printf " \"%d\";", (p * 8 + l) * 110 + k; printf "\r\n" }
      printf "END SUB\r\n" } }' >"$dir/many_procedures.txt"
  : >"$dir/many_procedures.out"
  # A user type of as many elements as it may have, arrays in an array.
  awk 'BEGIN { printf "TYPE BIG\r\n"; for (k = 0; k < 8000; k++) printf "E%d(2) AS INTEGER\r\n", k
    printf "END TYPE\r\nDIM R(1) AS BIG\r\nR(1).E7999(2) = 3: R(0) = R(1)\r\nPRINT R(0).E7999(2)\r\n" }' >"$dir/many_elements.txt"
  echo " 3" >"$dir/many_elements.out"
}

case ${1:-} in
  write) write "$2" ;;
  test)
    here=$(dirname "$(realpath "$0")")
    rm -rf "$4" && write "$4/programs" || exit 1
    bash "$here/compile_e2e.sh" "$2" "$3" "$4/programs" "$4/work" || exit 1
    failures=0
    for program in "$4"/programs/*.txt; do
      if ! bash "$here/run_e2e.sh" "$4/work" "$program" >"$4/last-diff" 2>&1; then
        echo "FAIL $(basename "$program")"; head -20 "$4/last-diff"; failures=$((failures + 1))
      fi
    done
    [ "$failures" -eq 0 ] && echo "long programs: every one compiled and ran"
    exit "$failures" ;;
  *) echo "usage: $0 write DIR | test CORVEL COMPILE_EACH WORK" >&2; exit 2 ;;
esac
