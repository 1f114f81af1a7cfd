# Shared by run.sh and test.sh: install what is missing, configure, build.
set -euo pipefail

TANOR_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libqt6sql6-sqlite libqt6sql6-odbc
  unixodbc unixodbc-dev odbcinst libsqliteodbc libsqlite3-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
)

tanor_install_packages() {
  local missing=()
  for p in "${TANOR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

tanor_build() {
  local root="$1" build="$2"; shift 2
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build" --parallel "$(nproc)"
}
