#!/usr/bin/env bash
# The command-line contract: exit statuses, where each text goes, and that a
# failed run leaves the output folder as it was.
set -uo pipefail
corvel=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
check javac-fails       3 ""             "fake javac: -encoding UTF-8 Good.java" -- -q --javac-dir fakejdk -o jout Good.txt
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
printf '#!/bin/sh\nn=$(grep -n "// A(5) = 1" "$3" | cut -d: -f1)\necho "$3:$((n + 1)): error: boom"\nexit 1\n' > tracejdk/javac
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
