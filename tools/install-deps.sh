#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail

packages=(cmake g++ make pkg-config libcli11-dev libfmt-dev libgtest-dev clang libclang-rt-14-dev
  # The full JDK (a window needs more than the headless one), a font with Japanese glyphs,
  # and a virtual X display with its capture tool and a keyboard for the window tests.
  openjdk-17-jdk fonts-ipafont-gothic xvfb x11-apps xdotool
  # The wizard's windows.
  qt6-base-dev
  # The Debian package: its shared-library dependencies, its checker, and the
  # icon's export to PNG.
  dpkg-dev lintian librsvg2-bin)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
