#!/usr/bin/env bash
# Runs bench_planner with the accessibility bridge active: a virtual X display
# (Xvfb), a D-Bus session, the AT-SPI bus and Qt's AT-SPI bridge switched on,
# as for the user of a screen reader. Usage:
#   planner_accessible.sh [--listen] BENCH [ARGS...]
# With --listen a listening client (accessibility_probe listen, from the
# build folder $SELVANE_BUILD_DIR, default ./build) registers for every
# event, as a screen reader does, for the whole run, and prints how many it
# received at the end.
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a dbus-run-session -- "$0" --inside "$@"
fi
shift
listen=0
if [ "${1:-}" = "--listen" ]; then
  listen=1
  shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
pids=($bus)
trap 'for p in "${pids[@]}"; do kill $p 2>/dev/null || true; done' EXIT
sleep 0.5
if [ "$listen" = 1 ]; then
  "${SELVANE_BUILD_DIR:-$root/build}/bench/accessibility_probe" listen 0 &
  listener=$!
  pids+=($listener)
  sleep 0.5
fi
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
if [ "$listen" = 1 ]; then
  kill -TERM "$listener"
  wait "$listener" || true
fi
