#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing, configure, build.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-pdf-dev qt6-connectivity-dev
  libqt6svg6 libgl1-mesa-dev
  libqt6opengl6-dev  # the charts library is configured through Qt6OpenGL
  qt6-image-formats-plugins  # TIF pictures (and WebP) read and written
  libpcre2-dev libzip-dev zlib1g-dev libcurl4-openssl-dev libgif-dev
  libbenchmark-dev fonts-dejavu-core
  fonts-noto-core fonts-noto-cjk  # digit and letter glyphs of the date converters, series names in any script
  python3-pyftpdlib  # loopback FTP server for the FTP tests
  python3-openssl    # its TLS mode, for the test that FTPS is asked for
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi
build="$here/build"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Paths below the checkout are hashed relative to it, so a second clone or
# work tree of the project reuses the compiled objects of the first.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}" CCACHE_NOHASHDIR=1
# The benchmarks are built too, and run once on small data as tests, so that
# none stops compiling or crashes unseen.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_BENCH=ON ${ORVANTA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"${ORVANTA_JOBS:-$(nproc)}"
