# Sourced by run.sh and test.sh: installs the Debian packages the build needs, then configures and
# builds into $CV_BUILD_DIR with the extra CMake arguments in $CV_CMAKE_ARGS.
set -euo pipefail
CV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

cv_install_packages() {
  local missing=()
  while read -r p; do
    [ -n "$p" ] || continue
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done < "$CV_ROOT/cmake/packages.txt"
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Install them with:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
}

cv_build() {
  local dir=$1; shift
  local gen=()
  command -v ninja >/dev/null && gen=(-G Ninja)
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$CV_ROOT" -B "$dir" "${gen[@]}" "$@" >/dev/null
  else
    cmake -S "$CV_ROOT" -B "$dir" "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$(nproc)"
}
