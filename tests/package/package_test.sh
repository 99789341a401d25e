#!/usr/bin/env bash
# The Debian package as a user gets it: built (lintian passing, when it is
# installed), unpacked into an empty root, and from there a program is
# translated, compiled and run with nothing of the build tree on the path.
# The package must hold the commands, the runtime, the desktop entries, the
# icon and the man pages (in step with --help), and depend on a JDK.
# usage: package_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
src=$(realpath "$1")
dir=$(realpath -m "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; status=1; }
status=0

"$src/tools/dev.sh" package "$dir" >"$work/build.log" 2>&1 || { tail -40 "$work/build.log"; echo "FAIL: no package"; exit 1; }
deb=$(ls "$dir"/corvel_*_amd64.deb)
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/corvel usr/bin/corvel-wizard usr/bin/corvel-edit usr/share/corvel/SysLib/KWC_Applet.class \
         usr/share/corvel/SysLib/KWC_Viewer.class usr/share/applications/corvel-wizard.desktop \
         usr/share/applications/corvel-edit.desktop usr/share/man/man1/corvel-edit.1.gz \
         usr/share/icons/hicolor/scalable/apps/corvel.svg usr/share/icons/hicolor/48x48/apps/corvel.png \
         usr/share/man/man1/corvel.1.gz usr/share/man/man1/corvel-wizard.1.gz \
         usr/share/man/ja/man1/corvel.1.gz usr/share/man/ja/man1/corvel-wizard.1.gz \
         usr/share/doc/corvel/copyright usr/share/doc/corvel/manual/ja/README.md \
         usr/share/doc/corvel/examples/Hello.txt; do
  [ -e "$work/root/$f" ] || fail "the package has no $f"
done
dpkg-deb -f "$deb" Depends | grep -Eq '(^|, )default-jdk( \([^)]*\))? \| openjdk-17-jdk' || fail "it does not depend on a JDK"

# Every option of a program's help is in both of its man pages, and the
# pages name the program's version.
for program in corvel corvel-wizard corvel-edit; do
  version=$("$work/root/usr/bin/$program" --version | cut -d' ' -f2)
  for page in man/man1 man/ja/man1; do
    zcat "$work/root/usr/share/$page/$program.1.gz" | head -1 | grep -qF " $version\"" ||
      fail "$page/$program.1 does not name version $version"
  done
  for option in $("$work/root/usr/bin/$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    for page in man/man1 man/ja/man1; do
      zcat "$work/root/usr/share/$page/$program.1.gz" | sed 's/\\-/-/g' | grep -q -- "$option" ||
        fail "$option of $program --help is not in $page/$program.1"
    done
  done
done

# From another folder, with only the system's own programs on the path.
# The compile server --run leaves ends once its folder, the test's, is gone.
mkdir "$work/user" && mkdir -m 700 "$work/runtime"
cp "$work/root/usr/share/doc/corvel/examples/Hello.txt" "$work/user/"
(cd "$work/user" && env -i HOME="$work/user" XDG_RUNTIME_DIR="$work/runtime" PATH=/usr/bin:/bin "$work/root/usr/bin/corvel" -q --run Hello.txt) \
  >"$work/screen" 2>"$work/err" || fail "the unpacked corvel did not run Hello.txt: $(cat "$work/err")"
grep -q 'こんにちは、Corvel' "$work/screen" || fail "Hello's screen: $(cat "$work/screen")"
[ "$status" -eq 0 ] && echo "the unpacked package translated, compiled and ran Hello.txt"
exit "$status"
