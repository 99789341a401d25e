#!/usr/bin/env bash
# The command-line contract: exit statuses, where each text goes, and that a
# failed run leaves the output folder as it was.
set -uo pipefail
corvel=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The compile server --run leaves ends once its folder, the test's, is gone.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$work"
failures=0
passed=0

# check NAME EXPECTED_STATUS EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
check() {
  local name=$1 want_status=$2 want_out=$3 want_err=$4
  shift 5
  "$corvel" "$@" >out.txt 2>err.txt
  local status=$?
  local out err
  out=$(cat out.txt)
  err=$(cat err.txt)
  if [ "$status" != "$want_status" ] || [[ "$out" != $want_out ]] || [[ "$err" != $want_err ]]; then
    echo "FAIL $name: status $status (want $want_status)"
    echo "  stdout: $out"
    echo "  stderr: $err"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

printf 'X = 1\r\nPRINT X\r\n' > Good.txt
printf 'X = 1\r\nPRINT "open\r\n' > Bad.txt
printf 'PRINT 1\n' > Hello.bas
printf 'PRINT 1\n' > 'my prog.txt'
printf 'PRINT 1\n' > class.txt
mkdir -p out sub
printf 'PRINT 1\n' > sub/Deep.txt
printf 'X$ = "\223\372"\n' > Sjis.txt   # CP932 bytes, not UTF-8
printf 'PRINT "日本語"\nX$ = "\223\372"\n' > Mixed.txt   # UTF-8 but for one CP932 character

translating='Corvel言語を Java言語に変換しています。'
written="$translating
必要なファイルをコピーしています。"
bad_report='Syntax Error
第2行目
    <PRINT "open>
第7文字目
    リテラル文字列が正しく完結していません'

check ok                0 ""             "$written"       -- Good.txt --no-javac
check quiet             0 ""             ""               -- -q Good.txt --no-javac
check fault             1 ""             "$translating
$bad_report"    -- Bad.txt --no-javac -o out
check fault-quiet       1 ""             "$bad_report"    -- --quiet Bad.txt --no-javac
check subfolder         0 ""             ""               -- -q sub/Deep.txt
check cp932-auto        0 ""             ""               -- -q Sjis.txt
check cp932-forced      0 ""             ""               -- -q --encoding cp932 Sjis.txt
check utf8-forced       2 ""             "corvel: ./Sjis.txt: このファイルは UTF-8 のテキストとして正しくありません" -- -q --encoding utf-8 Sjis.txt
check mostly-utf8       2 ""             "corvel: ./Mixed.txt: 2行目: UTF-8 として読めない文字があります*--encoding cp932*" -- -q Mixed.txt
check missing           2 ""             "corvel: Nope.txt: ファイルがありません"                       -- Nope.txt
check folder            2 ""             "corvel: sub: ファイルではありません"                 -- sub
check not-txt           2 ""             "corvel: ./Hello.bas: Corvelのプログラムは .txt ファイルでなければいけません" -- Hello.bas
check bad-class-name    2 ""             'corvel: ./my prog.txt: ファイル名の「my prog」は Javaのクラス名になりません。*たとえば my_prog.txt にしてください' -- 'my prog.txt'
check java-keyword      2 ""             'corvel: ./class.txt: ファイル名の「class」は*たとえば class_.txt にしてください' -- class.txt
check output-is-file    2 ""             "corvel: Good.txt: 出力先がフォルダではありません" -- -o Good.txt Good.txt
check output-uncreatable 2 ""            "corvel: Good.txt/x: 出力先のフォルダがなく、作ることもできません" -- -o Good.txt/x Good.txt
check bad-option        2 ""             "corvel: 余分な引数があります: --bogus*" -- --bogus Good.txt
check bad-encoding      2 ""             "corvel: --encoding: latin1 は使えません（auto, utf-8, cp932 のどれかです）*" -- --encoding latin1 Good.txt
check no-source         2 ""             "corvel: 翻訳するプログラム（SOURCE.txt）を指定してください*" --
check version           0 "corvel 0.1.0" ""                                                     -- --version
check help              0 "Corvelのプログラム*使い方: corvel*オプション:*" "" -- --help

# javac: its output passed through and its failure exit 3; a folder without
# javac is a failure before anything is written.
mkdir -p fakejdk nojdk
printf '#!/bin/sh\necho "fake javac: $*" >&2\nexit 1\n' > fakejdk/javac
chmod +x fakejdk/javac
check javac-fails       3 ""             "fake javac: -J-XX:TieredStopAtLevel=1 -J-XX:+UseSerialGC -encoding UTF-8 --release 17 -classpath . -d . Good.java" -- -q --javac-dir fakejdk -o jout Good.txt
check no-javac-there    2 ""             "corvel: nojdk: このフォルダに javac がありません" -- -q --javac-dir nojdk -o jout2 Good.txt
[ -e jout2 ] && { echo "FAIL no-javac-there wrote its output folder"; failures=$((failures + 1)); }
check run-needs-javac   2 ""             "corvel: --run には javac の完了が必要です*" -- --run --no-javac Good.txt

# --run without a display: INPUT reads standard input, or the --input file;
# the status stays off standard output, which is the program's.
unset DISPLAY
printf 'INPUT "名前"; A$\r\nPRINT A$\r\n' > In.txt && echo 花子 > names.txt
check run-stdin         0 "名前? 太郎
太郎"   "$written
Java言語を Javaバイトコードに変換します。
javac が終わりました。プログラムは run/In.html です。" -- --run -o run In.txt <<<'太郎'
check run-input         0 "名前? 花子
花子"   ""               -- -q --run --input names.txt -o run In.txt </dev/null

# The one-line form of reports, with and without a column; javac's errors
# traced to the Corvel line (a fake javac fails on the statement's code).
printf 'PRINT 1\r\nEND IF\r\n' > Orphan.txt
check gnu-column        1 ""             "Bad.txt:2:7: error: リテラル文字列が正しく完結していません" -- -q --diagnostics=gnu Bad.txt --no-javac
check gnu-line          1 ""             "Orphan.txt:2: error: END IFに対応する IFブロックがありません" -- -q --diagnostics gnu Orphan.txt --no-javac
printf 'DIM A(3) AS INTEGER\r\nA(5) = 1\r\n' > Crash.txt
mkdir -p tracejdk
printf '#!/bin/sh\nfor f; do :; done\nn=$(grep -n "// A(5) = 1" "$f" | cut -d: -f1)\necho "$f:$((n + 1)): error: boom"\nexit 1\n' > tracejdk/javac
chmod +x tracejdk/javac
check javac-traced      3 ""             "Crash.java:*: error: boom
Crash.java:*: javacのエラーの元の行: 第2行目 <A(5) = 1>" -- -q --javac-dir tracejdk -o tout Crash.txt
check javac-traced-gnu  3 ""             "Crash.java:*: error: boom
Crash.txt:2: error: javac: boom (Crash.java:*)" -- -q --diagnostics=gnu --javac-dir tracejdk -o tout Crash.txt
mkdir -p jatracejdk   # javac in a Japanese locale
sed 's/error: boom/エラー: boom/' tracejdk/javac > jatracejdk/javac && chmod +x jatracejdk/javac
check javac-traced-ja   3 ""             "Crash.java:*: エラー: boom
Crash.java:*: javacのエラーの元の行: 第2行目 <A(5) = 1>" -- -q --javac-dir jatracejdk -o tout Crash.txt

# A JAR a user can send: it runs headless, its runtime errors name the line.
check jar-needs-javac   2 ""             "corvel: --jar には javac が必要です*" -- --jar --no-javac Good.txt
check jar-good          0 ""             ""               -- -q --jar --detach -o jar Good.txt
check jar-crash         0 ""             ""               -- -q --jar -o jar Crash.txt
jdk=$(dirname "$(readlink -f "$(command -v javac)")")
mkdir -p reljdk && ln -sf "$jdk/javac" "$jdk/jar" reljdk/   # a JDK folder given relative to here
check jar-relative-jdk  0 ""             ""               -- -q --jar --javac-dir reljdk -o jar2 Good.txt
(cd / && java -jar "$work/jar/Good.jar" --headless --dump-text -) >out.txt 2>err.txt
[ $? -eq 0 ] && [ "$(cat out.txt)" = " 1" ] && passed=$((passed + 1)) ||
  { echo "FAIL jar-run: $(cat out.txt err.txt)"; failures=$((failures + 1)); }
java -jar jar/Crash.jar --headless >out.txt 2>err.txt
[ $? -eq 1 ] && [ "$(cat err.txt)" = "実行時エラー: 配列の添字が範囲外です（5、次元1は 0 TO 3）
第2行目
    <A(5) = 1>" ] && passed=$((passed + 1)) || { echo "FAIL jar-runtime-error: $(cat err.txt)"; failures=$((failures + 1)); }
java -jar jar/Crash.jar --headless --diagnostics=gnu >out.txt 2>err.txt
[ $? -eq 1 ] && [ "$(cat err.txt)" = "Crash.txt:2: error: 実行時エラー: 配列の添字が範囲外です（5、次元1は 0 TO 3）" ] &&
  passed=$((passed + 1)) || { echo "FAIL jar-gnu: $(cat err.txt)"; failures=$((failures + 1)); }

# Paths with spaces; a second translation replaces the files; a failed one
# leaves the folder exactly as it was.
mkdir -p "src dir"
printf 'PRINT "a long first program"\r\nPRINT 2\r\n' > "src dir/Same.txt"
check spaces            0 ""             ""               -- -q --no-javac -o "out dir" "src dir/Same.txt"
printf 'PRINT 1\r\n' > "src dir/Same.txt"
check replaced          0 ""             ""               -- -q --no-javac -o "out dir" "src dir/Same.txt"
if grep -q "long first" "out dir/Same.java"; then echo "FAIL replaced: the old text is still there"; failures=$((failures + 1)); fi
before=$(cd "out dir" && ls -l --time-style=+%s.%N && md5sum *)
printf 'PRINT "open\r\n' > "src dir/Same.txt"
check failed-keeps      1 ""             "Syntax Error*"  -- -q --no-javac -o "out dir" "src dir/Same.txt"
after=$(cd "out dir" && ls -l --time-style=+%s.%N && md5sum *)
[ "$before" = "$after" ] || { echo "FAIL failed-keeps: the output folder changed"; failures=$((failures + 1)); }

# A write that fails leaves the old set of files: the target that cannot be
# replaced is found before anything is renamed.
printf 'PRINT "second"\r\n' > "src dir/Same.txt"
before=$(cd "out dir" && md5sum Same.java Same.class 2>/dev/null; ls)
rm -f "out dir/Same.html" && mkdir "out dir/Same.html"
check html-is-folder    2 ""             "corvel: out dir/Same.html: 同じ名前のフォルダがあるので、ファイルを書けません" -- -q --no-javac -o "out dir" "src dir/Same.txt"
after=$(cd "out dir" && md5sum Same.java Same.class 2>/dev/null; ls)
[ "$before" = "$after" ] || { echo "FAIL html-is-folder: the output folder changed"; failures=$((failures + 1)); }
rmdir "out dir/Same.html"

# Two programs with user types of the same names share a folder: each
# one's type classes are its own, and each runs right.
mkdir -p types
printf 'TYPE P\r\n  X AS INTEGER\r\nEND TYPE\r\nDIM A AS P\r\nA.X = 7\r\nPRINT A.X\r\n' > types/First.txt
printf 'TYPE P\r\n  S AS STRING\r\nEND TYPE\r\nDIM A AS P\r\nA.S = "two"\r\nPRINT A.S\r\n' > types/Second.txt
check first-types       0 ""             ""               -- -q types/First.txt
check second-types      0 ""             ""               -- -q types/Second.txt
screens=$(cd types && for p in First Second; do java -cp . KWC_Viewer --headless --dump-text - $p.html; done)
[ "$screens" = "$(printf ' 7\ntwo')" ] || { echo "FAIL types-share-folder: $screens"; failures=$((failures + 1)); }

# The folder holds the old program whole or the new one whole, one
# translation at a time; what dead runs left is cleared; javac gets its own
# class path, locale and release (the fake javac's row above).
ok() { if eval "$2"; then passed=$((passed + 1)); else echo "FAIL $1"; failures=$((failures + 1)); fi; }
mkdir -p tx slowjdk
printf '#!/bin/sh\n: > "%s/started"\nsleep 2\nexec "%s" "$@"\n' "$work" "$jdk/javac" > slowjdk/javac && chmod +x slowjdk/javac
printf 'A = 0\nPRINT 1 \\ A\n' > tx/Prog.txt && "$corvel" -q tx/Prog.txt 2>/dev/null
v1=$(md5sum <tx/Prog.java) && printf 'A = 0\nPRINT "safe line"\n' > tx/Prog.txt
check javac-fails-keeps 3 ""             "fake javac:*"   -- -q --javac-dir fakejdk tx/Prog.txt
ok javac-fails-keeps-old '[ "$(md5sum <tx/Prog.java)" = "$v1" ]'
started() { for _ in $(seq 100); do [ -e started ] && return; sleep 0.1; done; }
rm -f started && { "$corvel" -q --javac-dir slowjdk tx/Prog.txt 2>/dev/null & } && started
check second-waits      0 ""             "*ほかの翻訳がこの出力先のフォルダを使っています。*" -- --javac-dir slowjdk tx/Prog.txt
wait
v1=$(md5sum <tx/Prog.java) && printf 'PRINT "version 3"\n' > tx/Prog.txt
rm -f started && { "$corvel" -q --javac-dir slowjdk tx/Prog.txt 2>/dev/null & } && started && kill -TERM $! && wait $!
ok interrupt-rolls-back '[ $? = 143 ] && [ "$(md5sum <tx/Prog.java)" = "$v1" ] && ! ls -A tx | grep -q stage'
mkdir -p tx/.corvel-stage-999999-x/.kept/.corvel-new && echo old > tx/.corvel-stage-999999-x/.kept/Gone.html
touch tx/.corvel-stage-999999-x/.kept/.corvel-new/Fresh.class tx/Fresh.class
echo o > tx/Old.html.corvel-999999.old && echo t > tx/Prog.java.corvel-999999.tmp
check dead-runs         0 ""             ""               -- -q --no-javac tx/Prog.txt
ok dead-runs-cleared '! ls -A tx | grep -q 999999 && [ "$(cat tx/Gone.html tx/Old.html)" = "$(printf "old\no")" ] && [ ! -e tx/Fresh.class ]'
(ulimit -f 10 && "$corvel" -q --no-javac -o big Good.txt) 2>err.txt
ok file-size-limit '[ $? = 2 ] && grep -q "^corvel: big/.*: 書き込めません: ファイルの大きさの上限を超えました$" err.txt && [ "$(ls -A big)" = .corvel.lock ]'
mkdir -p sym planted && last=$(cat /proc/sys/kernel/ns_last_pid 2>/dev/null || echo 0)
ln -s -t sym $(printf "$work/planted/Good.html.corvel-%d.tmp " $(seq "$last" $((last + 300))))
check planted-link      0 ""             ""               -- -q --no-javac -o sym Good.txt
ok planted-link-unfollowed '[ -z "$(ls planted)" ]'
if mkdir -p full && mount -t tmpfs -o size=48k tmpfs full 2>/dev/null; then
  check disk-full       2 ""             "corvel: full/*: 書き込めません: ディスクの空きがありません" -- -q --no-javac -o full Good.txt
  umount full
else echo "skip disk-full: mounting a small tmpfs needs root"; fi
export CLASSPATH=/x LC_ALL=C && printf 'PRINT 1\n' > 日本.txt
check classpath-locale  0 ""             ""               -- -q -o jl 日本.txt
unset CLASSPATH LC_ALL
ok locale-no-args-file '[ -e jl/日本.class ] && ! ls jl | grep -q args'
mkdir -p cf/Good.class own && echo mine > own/Good.java
check class-is-folder   2 ""             "corvel: cf/Good.class: 同じ名前のフォルダがあるので、ファイルを書けません" -- -q -o cf Good.txt
check not-ours          2 ""             "corvel: own/Good.java: Corvel が書いたファイルではないか*--force*" -- -q --no-javac -o own Good.txt
check forced            0 ""             ""               -- -q --no-javac --force -o own Good.txt
echo edit >> own/Good.html
check edited            2 ""             "corvel: own/Good.html: Corvel が書いたファイルではないか*" -- -q --no-javac -o own Good.txt
# Classes of java.lang names beside the program hide nothing it uses.
printf 'class Math {}\n' > types/Math.java && printf 'class String {}\n' > types/String.java
printf 'A$ = STR$(ABS(-4) + SQR(9) + 2 ^ 3)\r\nDIM S(1) AS STRING\r\nS(1) = A$\r\nPRINT S(1)\r\n' > types/Shadow.txt
check java-lang-hidden  0 ""             ""               -- -q types/Shadow.txt
screen=$(cd types && java -cp . KWC_Viewer --headless --dump-text - Shadow.html)
[ "$screen" = " 15" ] || { echo "FAIL java-lang-hidden: $screen"; failures=$((failures + 1)); }

# A line of a million characters is refused quickly, its report bounded.
{ printf 'PRINT '; head -c 1000000 /dev/zero | tr '\0' 'X'; printf '\n'; } > Wide.txt
"$corvel" -q --no-javac Wide.txt 2>err.txt
if [ $? -ne 1 ] || ! grep -q '1行の文字数が多すぎます' err.txt || [ "$(wc -c <err.txt)" -gt 1000 ]; then
  echo "FAIL long-line: $(head -c 300 err.txt)"; failures=$((failures + 1))
else
  passed=$((passed + 1))
fi

# A report shows the user's line whole, whatever bytes it holds.
printf 'X\0 = 1\n' > Nul.txt
"$corvel" -q Nul.txt 2>err.txt
if [ $? -ne 1 ] || ! grep -q '不正な文字が含まれています' err.txt; then
  echo "FAIL nul: the report was cut short"; failures=$((failures + 1))
else
  passed=$((passed + 1))
fi

if [ -n "$(ls -A out)" ]; then
  echo "FAIL a rejected program wrote into its output folder"; failures=$((failures + 1))
fi
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
