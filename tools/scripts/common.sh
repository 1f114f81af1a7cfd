# Shared by run.sh and test.sh: install what is missing, configure, build.
set -euo pipefail

TANOR_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libqt6sql6-sqlite libqt6sql6-odbc
  unixodbc unixodbc-dev odbcinst libsqliteodbc tdsodbc libsqlite3-dev
  libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64
  xvfb xauth fonts-dejavu-core
  nodejs npm
)

# Whether package $1 is there. A Node.js from its own repository (NodeSource)
# brings npm with it and conflicts with Debian's npm package: a program already
# on the PATH counts for the package that would bring it.
tanor_package_present() {
  case "$1" in
    nodejs) command -v node >/dev/null 2>&1 && return 0 ;;
    npm) command -v npm >/dev/null 2>&1 && return 0 ;;
  esac
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

tanor_install_packages() {
  local missing=()
  for p in "${TANOR_PACKAGES[@]}"; do
    tanor_package_present "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The Debian package that brings the CMake package or library named by a
# failed configure step (the names CMake prints), empty when unknown.
tanor_package_for() {
  case "$1" in
    Qt6Charts*) echo qt6-charts-dev ;;
    Qt6OpenGL*|Qt6OpenGLWidgets*) echo libqt6opengl6-dev ;;
    Qt6Sql*) echo qt6-base-dev ;;
    Qt6*|Qt6) echo qt6-base-dev ;;
    OpenGL|WrapOpenGL) echo libgl-dev ;;
    SQLite3) echo libsqlite3-dev ;;
    ODBC|ODBCINST_LIBRARY) echo unixodbc-dev ;;
    GTest) echo libgtest-dev ;;
    benchmark) echo libbenchmark-dev ;;
    Ninja|ninja) echo ninja-build ;;
    *) echo "" ;;
  esac
}

# Reads a failed configure step's output and prints one line per missing
# CMake package: its name and the Debian package that brings it.
tanor_name_missing_packages() {
  local names
  names=$(grep -oE \
    -e 'Could not find a package configuration file provided by "[A-Za-z0-9_]+"' \
    -e 'dependency [A-Za-z0-9_]+ could not be found' \
    -e 'Could NOT find [A-Za-z0-9_]+' \
    -e '[A-Za-z0-9_]+-NOTFOUND' \
    -e 'Failed to find required Qt component "[A-Za-z0-9_]+"' |
    sed -E -e 's/.*provided by "([^"]+)"/\1/' -e 's/dependency ([^ ]+) could.*/\1/' \
      -e 's/Could NOT find //' -e 's/-NOTFOUND//' -e 's/.*component "([^"]+)"/Qt6\1/' | sort -u)
  local name pkg
  for name in $names; do
    pkg=$(tanor_package_for "$name")
    echo "missing: $name (Debian package: ${pkg:-unknown})"
  done
}

tanor_build() {
  local root="$1" build="$2"; shift 2
  local log
  log=$(mktemp)
  if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$log" 2>&1; then
    echo "Configuring failed." >&2
    local named
    named=$(tanor_name_missing_packages <"$log")
    if [ -n "$named" ]; then
      echo "$named" >&2
      echo "Add the package(s) above to TANOR_PACKAGES in tools/scripts/common.sh." >&2
    else
      cat "$log" >&2
    fi
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  cmake --build "$build" --parallel "$(nproc)"
}
