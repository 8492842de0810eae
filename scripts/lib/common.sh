# Shared by the scripts: installing what is missing, and how many jobs to run.
# Packages the build needs on Debian 12.
LK40_BUILD_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libre2-dev
  qt6-translations-l10n fonts-dejavu-core)

# apt-get update, tried again when a mirror is caught mid-sync (it then
# fails an index on its size or hash, and such a failure passes in minutes).
# When it still fails, the package lists fetched so far stand: the install
# that follows says which package it cannot find, if any.
lk40_apt_update() {
  local sudo=() try
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  for try in 1 2 3 4; do
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q && return 0
    [ "$try" -lt 4 ] && { echo "apt-get update failed; trying again in $((try * 20)) s" >&2; sleep $((try * 20)); }
  done
  echo "apt-get update failed four times; going on with the package lists it has" >&2
}

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
  lk40_apt_update
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

# lk40_debian_source PACKAGE VERSION FOLDER [FILE]: unpacks Debian's source of
# PACKAGE (VERSION empty: the archive's own) into FOLDER and prints the tree's
# path. A tree already there is used when it holds FILE (default
# debian/control); one without it, left by a fetch that broke off, is fetched
# again. Source packages come from the same archive and suites as the
# binaries: a deb-src twin of every deb entry is added once.
lk40_debian_source() {
  local package="$1" version="$2" folder="$3" file="${4:-debian/control}" wanted tree sudo=()
  wanted="$package${version:+=$version}"
  tree="$(find "$folder" -maxdepth 1 -type d -name "$package-*" 2>/dev/null | head -n 1)"
  if [ -n "$tree" ] && [ -e "$tree/$file" ]; then
    echo "$tree"
    return 0
  fi
  rm -rf "$folder/$package"-* "$folder/$package"_*
  mkdir -p "$folder"
  lk40_ensure_packages dpkg-dev >&2
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  if ! apt-get source --print-uris -qq "$wanted" >/dev/null 2>&1; then
    if [ -e /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types:.*$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        "${sudo[@]}" tee /etc/apt/sources.list.d/lk40-deb-src.sources >/dev/null
    else
      grep -h '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed 's/^deb /deb-src /' | "${sudo[@]}" tee /etc/apt/sources.list.d/lk40-deb-src.list >/dev/null
    fi
    lk40_apt_update >&2
  fi
  (cd "$folder" && apt-get source -q "$wanted" >&2) || return 1
  tree="$(find "$folder" -maxdepth 1 -type d -name "$package-*" | head -n 1)"
  if [ -z "$tree" ] || [ ! -e "$tree/$file" ]; then
    echo "apt-get source $wanted gave no source tree in $folder" >&2
    return 1
  fi
  echo "$tree"
}

# lk40_use_re2_source FOLDER: RE2 for a cross-build, as cmake/Re2.cmake takes
# it (Debian has no RE2 for mingw-w64): Debian's re2 source, of the version of
# the native libre2-dev where that is installed, unpacked below FOLDER with the
# Unicode tables its build generates; exported as LK40_RE2_SOURCE_DIR.
lk40_use_re2_source() {
  local version tree table
  version="$(dpkg-query -W -f='${source:Version}' libre2-dev 2>/dev/null || true)"
  lk40_ensure_packages perl python3 python3-six unicode-data >&2
  tree="$(lk40_debian_source re2 "$version" "$1" re2/re2.h)" || return 1
  if [ ! -s "$tree/re2/unicode_groups.cc" ]; then
    (cd "$tree" && perl re2/make_perl_groups.pl >re2/perl_groups.cc.new &&
      mv re2/perl_groups.cc.new re2/perl_groups.cc) || return 1
    for table in casefold groups; do
      (cd "$tree" && python3 "re2/make_unicode_$table.py" >"re2/unicode_$table.cc.new" &&
        mv "re2/unicode_$table.cc.new" "re2/unicode_$table.cc") || return 1
    done
  fi
  export LK40_RE2_SOURCE_DIR="$tree"
}
