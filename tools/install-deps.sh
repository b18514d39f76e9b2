#!/bin/sh
# Installs the Debian 12 packages that building, testing, benchmarking and packaging need.
set -e
pkgs="build-essential cmake pkg-config qtbase5-dev qttools5-dev qttools5-dev-tools \
libspng-dev libdeflate-dev \
libgif-dev ffmpeg imagemagick xvfb x11-utils clang libclang-rt-14-dev \
xdg-utils xdotool desktop-file-utils appstream man-db dpkg-dev file hyperfine fonts-wqy-microhei \
qttranslations5-l10n fonts-dejavu-core python3-matplotlib"
missing=""
for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# The bench installs gifski with npm: Debian's, unless one came with Node.js already.
command -v npm >/dev/null 2>&1 || missing="$missing npm"
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends $missing
fi
