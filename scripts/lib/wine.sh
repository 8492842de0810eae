# Shared by scripts/test-windows and scripts/package-windows: Wine as a
# Russian Windows, in a prefix of the caller's, with one Wine server for the
# caller's whole run.

LK40_WINE_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix wine wine64 googletest locales)

# Installs what is missing, without Wine's recommendations (fonts, media
# codecs, ...), which are of no use here.
lk40_ensure_wine_packages() {
  local missing=() pkg sudo=()
  for pkg in "${LK40_WINE_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# lk40_wine_start PREFIX LOCALE_DIR: exports what Wine needs, creates the
# prefix if it is new and starts its server. Wine takes its code page and
# regional formats from the Unix locale: a Russian one, compiled into
# LOCALE_DIR, gives the ANSI code page 1251 and the Russian formats that a
# Russian Windows has. Call lk40_wine_stop when done (a trap does it).
lk40_wine_start() {
  local prefix="$1" locales="$2"
  if [ ! -e "$locales/ru_RU.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i ru_RU -f UTF-8 "$locales/ru_RU.UTF-8"
  fi
  lk40_wine=/usr/lib/wine/wine64
  export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LOCPATH="$locales"
  lk40_wine_env=(env LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8)
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    # Without the 32-bit Wine, wineboot complains of the 32-bit half it
    # cannot set up and fails; the 64-bit prefix is complete all the same.
    "${lk40_wine_env[@]}" "$lk40_wine" wineboot --init >/dev/null 2>&1 || true
    wineserver -w  # the registry files are written when the server ends
    [ -e "$WINEPREFIX/system.reg" ] || { echo "Wine could not create its prefix in $WINEPREFIX" >&2; return 1; }
  fi
  wineserver -p
}

# Wine's own stand-ins for the Windows interface fonts draw no Latin letters
# in Qt's line edits here (digits and Latin text stay blank); DejaVu Sans,
# which the bench's build installs anyway, draws Latin and Cyrillic alike.
lk40_wine_fonts() {
  local font
  for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "MS Sans Serif"; do
    lk40_wine_run reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "DejaVu Sans" /f >/dev/null
  done
}

# Runs a Windows program in the prefix: lk40_wine_run PROGRAM ARGS...
lk40_wine_run() { "${lk40_wine_env[@]}" "$lk40_wine" "$@"; }

lk40_wine_stop() { wineserver -k >/dev/null 2>&1 || true; }

# Registers the simulated module's COM server as a Windows user does, for the
# current user; Wine's ProgID lookup sees only the machine's classes, so it
# is registered there as well.
lk40_wine_register_server() {
  lk40_wine_run regsvr32 /s "$1"
  lk40_wine_run regsvr32 /s /n /i:machine "$1"
}
