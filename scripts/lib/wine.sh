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
  lk40_apt_update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# 32-bit Windows programs (the 32-bit bench, its tests and its COM server)
# run in the same 64-bit prefix through Debian's wine32, which is an i386
# package. Some kernels run no 32-bit Linux programs at all (built or booted
# without ia32 emulation, as CI's is): there the i386 half of Wine runs under
# QEMU's user-mode emulator, registered for i386 programs with binfmt_misc.
# QEMU 7.2 of Debian 12 spends minutes starting each Wine process (its
# address-space bookkeeping is slow for the large reservations Wine makes);
# the release in Debian's backports starts one in a second or two.
lk40_wine32_ensure() {
  local sudo=()
  # QEMU's default i386 model claims instruction sets it does not carry out
  # for 32-bit code: Qt's drawing, which picks its routines by what the
  # processor says, stopped on an illegal instruction (0xc000001d) in the
  # window tests. With this model it picks ones QEMU runs. Without QEMU the
  # variable means nothing.
  export QEMU_CPU=Nehalem
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
    lk40_apt_update
  fi
  lk40_ensure_wine_packages wine32:i386 || lk40_wine32_from_release
  /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0
  lk40_i386_emulation
  /usr/lib/wine/wine --version >/dev/null 2>&1 ||
    { echo "32-bit programs do not run here, not even under QEMU" >&2; return 1; }
}

# The i386 libraries wine32 brings must be the very versions of their amd64
# halves. When a mirror caught mid-sync leaves the security archive's i386
# list unread, apt offers the amd64 half from there and the i386 one from the
# release, and finds no install. This installs wine32 again with the
# release's own archive pinned above the rest, for this one install: its
# versions then serve both halves (some amd64 libraries move to them, a few
# back from a security update; apt lists them).
lk40_wine32_from_release() {
  local sudo=() codename pin status=0
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  pin="$(mktemp)"
  printf '%s\n' "Package: *" "Pin: release n=$codename" "Pin-Priority: 1001" >"$pin"
  chmod 644 "$pin"
  echo "wine32 does not install over these package lists; trying $codename's own archive for both halves" >&2
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends --allow-downgrades \
    -o Dir::Etc::Preferences="$pin" -o Dir::Etc::PreferencesParts=/nonexistent wine32:i386 || status=$?
  rm -f "$pin"
  return "$status"
}

# QEMU's i386 emulator from the backports of this Debian release, registered
# for i386 programs. The registration is the kernel's, for the machine, and
# lasts until it restarts.
lk40_i386_emulation() {
  local sudo=() codename list=/etc/apt/sources.list.d/lk40-backports.sources
  local misc=/proc/sys/fs/binfmt_misc qemu=/usr/bin/qemu-i386
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || echo 0)" ge 1:8; then
    codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    if [ ! -e "$list" ]; then
      printf '%s\n' "Types: deb" "URIs: http://deb.debian.org/debian" "Suites: $codename-backports" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
        "${sudo[@]}" tee "$list" >/dev/null
    fi
    echo "Installing: qemu-user from $codename-backports"
    lk40_apt_update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
      -t "$codename-backports" qemu-user
  fi
  [ -e "$misc/register" ] || "${sudo[@]}" mount -t binfmt_misc binfmt_misc "$misc"
  [ -e "$misc/lk40-i386" ] && return 0
  # An i386 ELF executable or shared object; F opens the emulator now, so
  # that it serves every program started later, whatever its mounts.
  printf '%s' ':lk40-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' |
    "${sudo[@]}" tee "$misc/register" >/dev/null
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
# is registered there as well. A 32-bit server (ARCH i686) goes through the
# 32-bit regsvr32, into the registry's 32-bit view.
# lk40_wine_register_server DLL [x86_64|i686]
lk40_wine_register_server() {
  local regsvr32=regsvr32
  [ "${2:-x86_64}" = i686 ] && regsvr32='C:\windows\syswow64\regsvr32.exe'
  lk40_wine_run "$regsvr32" /s "$1"
  lk40_wine_run "$regsvr32" /s /n /i:machine "$1"
}
