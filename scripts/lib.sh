# Shared by scripts/demo, scripts/test and .ci/run. Source it; do not run it.
set -euo pipefail

ZORVEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZORVEL_BUILD=${ZORVEL_BUILD:-$ZORVEL_ROOT/build}

# Debian 12 packages the build, the tests and the demo need.
ZORVEL_PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libicu-dev libtiff-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-arphic-uming xvfb xauth
  qt6-translations-l10n
  scdoc dpkg-dev file desktop-file-utils appstream
)

zorvel_install_packages() {
  local missing=()
  local p
  for p in "${ZORVEL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ZORVEL_WERROR=ON turns every compiler warning into an error (CI sets it).
ZORVEL_WERROR=${ZORVEL_WERROR:-OFF}

# zorvel_build [TARGET...]: configure build/ and build the targets named, or all.
zorvel_build() {
  cmake -S "$ZORVEL_ROOT" -B "$ZORVEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORVEL_WERROR="$ZORVEL_WERROR"
  local targets=()
  local t
  for t in "$@"; do
    targets+=(--target "$t")
  done
  cmake --build "$ZORVEL_BUILD" --parallel "$(nproc)" "${targets[@]}"
}

# zorvel_build_clang: everything, tests included, built with clang and
# AddressSanitizer in build/clang, to keep the code free of clang's warnings
# too; then the tests run there, so that a read of freed memory or past the
# end of a buffer fails them. Leaks are not checked: Qt keeps its caches to
# the end. The package test ran in the first build.
zorvel_build_clang() {
  export ASAN_OPTIONS=detect_leaks=0
  local asan="-fsanitize=address -fno-omit-frame-pointer"
  CC=clang CXX=clang++ cmake -S "$ZORVEL_ROOT" -B "$ZORVEL_ROOT/build/clang" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug -DZORVEL_WERROR="$ZORVEL_WERROR" \
    -DCMAKE_C_FLAGS="$asan" -DCMAKE_CXX_FLAGS="$asan" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address" >/dev/null
  cmake --build "$ZORVEL_ROOT/build/clang" --parallel "$(nproc)"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$ZORVEL_ROOT/build/clang" --output-on-failure \
    --parallel "$(nproc)" -E zorvel_package_install
}
