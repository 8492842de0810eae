#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, checks what lands where,
# then starts the installed bench (offscreen, with no driver path set and an
# empty per-user folder) and waits until the installed driver is mapped into
# it: proof that it found the driver relative to its own install folder.
set -euo pipefail
build="$1" app_id="$2" scenarios="$3"
tmp="$(mktemp -d)"
bench_pid=""
cleanup() {
  if [ -n "$bench_pid" ]; then kill "$bench_pid" 2>/dev/null || true; wait "$bench_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

driver="$prefix/lib/lk40-drvtest/drivers/AddIn.DrvTarvo.so"
expected=(
  "bin/lk40-drvtest"
  "lib/lk40-drvtest/drivers/AddIn.DrvTarvo.so"
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/lk40-drvtest.svg"
  "share/man/man1/lk40-drvtest.1.gz"
  "share/doc/lk40-drvtest/copyright"
  "share/doc/lk40-drvtest/README.sim-driver.md.gz"
  "share/doc/lk40-drvtest/examples/identity-check.txt"
  "share/doc/lk40-drvtest/examples/weighing-check.txt"
)
for scenario in "$scenarios"/*.ini; do
  expected+=("share/doc/lk40-drvtest/examples/$(basename "$scenario")")
done
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/lk40-drvtest.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/lk40-drvtest" ] || fail "the bench is not executable"
gzip -t "$prefix/share/man/man1/lk40-drvtest.1.gz" || fail "the manual page is not a sound gzip file"
gzip -t "$prefix/share/doc/lk40-drvtest/README.sim-driver.md.gz" || fail "the simulated module's guide is not a sound gzip file"
zcat "$prefix/share/man/man1/lk40-drvtest.1.gz" | grep -q "share/doc/lk40-drvtest/examples" ||
  fail "the manual page does not name the example scenarios"
grep -qx "Exec=lk40-drvtest" "$prefix/share/applications/$app_id.desktop" ||
  fail "the desktop entry does not start the installed bench"
grep -qx "Icon=lk40-drvtest" "$prefix/share/applications/$app_id.desktop" ||
  fail "the desktop entry does not name the installed icon"

mkdir -p "$tmp/config" "$tmp/data"
# The installed identity check, run over the installed driver with no display.
env -u LK40_DRIVER_PATH -u QT_QPA_PLATFORM -u DISPLAY XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
  LK40_SIM_NO_DELAY=1 "$prefix/bin/lk40-drvtest" --run "$prefix/share/doc/lk40-drvtest/examples/identity-check.txt" \
  >"$tmp/run.log" 2>&1 || fail "the installed identity check did not pass: $(tail -n 20 "$tmp/run.log")"
env -u LK40_DRIVER_PATH XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
  QT_QPA_PLATFORM=offscreen "$prefix/bin/lk40-drvtest" >"$tmp/bench.log" 2>&1 &
bench_pid=$!
for _ in $(seq 600); do
  if grep -qF "$driver" "/proc/$bench_pid/maps" 2>/dev/null; then
    echo "the installed bench loaded $driver"
    exit 0
  fi
  if ! kill -0 "$bench_pid" 2>/dev/null; then
    bench_pid=""
    cat "$tmp/bench.log" >&2
    fail "the installed bench ended before loading its driver"
  fi
  sleep 0.1
done
cat "$tmp/bench.log" >&2
fail "the installed bench did not load $driver within 60 s"
