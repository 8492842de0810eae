#!/usr/bin/env bash
# The scripts' job count: LK40_JOBS when set (a positive integer), one job per
# processor otherwise, and a bad value stops a script before it builds.
set -uo pipefail
common="$1"
failed=0
jobs_of() { (unset LK40_JOBS; [ $# -gt 0 ] && export LK40_JOBS="$1"; . "$common"; lk40_jobs); }

for row in "3:3" "12:12" ":$(nproc)" "unset:$(nproc)"; do
  value="${row%%:*}" want="${row#*:}"
  if [ "$value" = unset ]; then got="$(jobs_of)"; else got="$(jobs_of "$value")"; fi
  [ "$got" = "$want" ] || { echo "FAIL: LK40_JOBS=$value gives '$got', not '$want'"; failed=1; }
done
for bad in 0 -2 abc "2 " 1.5 07; do
  out="$(LK40_JOBS="$bad" bash -c 'set -e; . "$1"; jobs="$(lk40_jobs)"; echo "built with $jobs"' _ "$common" 2>&1)"
  case "$out" in
    *"built with"*) echo "FAIL: LK40_JOBS='$bad' was taken: $out"; failed=1 ;;
    *"LK40_JOBS must be a positive integer"*) ;;
    *) echo "FAIL: LK40_JOBS='$bad' gives no clear error: $out"; failed=1 ;;
  esac
done
exit $failed
