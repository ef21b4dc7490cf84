# Sourced by run.sh and test.sh: installs the Debian packages of the given lists, then configures
# and builds. cmake/packages.txt is what ./run.sh needs to build and run the program;
# cmake/packages-test.txt is what ./test.sh needs beyond it. CV_JOBS sets how many compile jobs
# (and fuzzing processes) run at once; every core by default.
set -euo pipefail
CV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CV_JOBS=${CV_JOBS:-$(nproc)}
# CV_WERROR=ON makes every compiler warning an error: on in CI (CI=true), so that a landing cannot
# bring a new one; off in a developer's build, which prints them and goes on.
if [ "${CI:-}" = true ]; then CV_WERROR=${CV_WERROR:-ON}; else CV_WERROR=${CV_WERROR:-OFF}; fi
# CV_DEBUG_INFO: how much debug information the build carries, full (default), lines or none.
CV_DEBUG_INFO=${CV_DEBUG_INFO:-full}

# cv_install_packages LIST...: "run" is cmake/packages.txt, "test" cmake/packages-test.txt.
cv_install_packages() {
  local missing=() list file
  for list in "$@"; do
    file="$CV_ROOT/cmake/packages.txt"
    [ "$list" = run ] || file="$CV_ROOT/cmake/packages-$list.txt"
    while read -r p; do
      [ -n "$p" ] || continue
      dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done < "$file"
  done
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

# cv_configure DIR [CMAKE ARGS...]
cv_configure() {
  local dir=$1; shift
  set -- -DCV_WERROR="$CV_WERROR" -DCV_DEBUG_INFO="$CV_DEBUG_INFO" "$@"
  local gen=()
  command -v ninja >/dev/null && gen=(-G Ninja)
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$CV_ROOT" -B "$dir" "${gen[@]}" "$@" >/dev/null
  else
    cmake -S "$CV_ROOT" -B "$dir" "$@" >/dev/null
  fi
}

# cv_build DIR [CMAKE ARGS...]: configures and builds everything.
cv_build() {
  cv_configure "$@"
  cmake --build "$1" -j "$CV_JOBS"
}
