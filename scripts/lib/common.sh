# Shared by the scripts: installing what is missing, and how many jobs to run.
# Packages the build needs on Debian 12.
LK40_BUILD_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

# Installs the named Debian packages that are not installed yet, with one
# apt-get update before the first install.
lk40_ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Parallel jobs for building and testing: LK40_JOBS when it is set and not
# empty (so that a shared machine can be spared), else one per processor.
# Take it once as jobs="$(lk40_jobs)": an assignment stops a `set -e` script
# on a bad value, where a -j"$(lk40_jobs)" argument would go on without it.
lk40_jobs() {
  if [ -n "${LK40_JOBS:-}" ]; then
    if [[ ! "$LK40_JOBS" =~ ^[1-9][0-9]*$ ]]; then
      echo "LK40_JOBS must be a positive integer (the number of parallel jobs), not \"$LK40_JOBS\"" >&2
      return 1
    fi
    echo "$LK40_JOBS"
    return 0
  fi
  nproc 2>/dev/null || echo 2
}

# The Debian package of the mingw-w64 C++ compiler (POSIX threads) for a
# Windows architecture, x86_64 or i686.
lk40_mingw_package() {
  case "$1" in
    x86_64) echo g++-mingw-w64-x86-64-posix ;;
    i686) echo g++-mingw-w64-i686-posix ;;
    *) echo "no mingw-w64 for the architecture \"$1\"" >&2; return 1 ;;
  esac
}
