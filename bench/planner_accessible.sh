#!/usr/bin/env bash
# Runs bench_planner with the accessibility bridge active: a virtual X display
# (Xvfb), a D-Bus session, the AT-SPI bus and Qt's AT-SPI bridge switched on,
# as for the user of a screen reader. With --listener, a listening client
# (bench/atspi_listener, registered for every event as a screen reader is)
# runs beside it, so the bridge sends every event it has.
# Usage: planner_accessible.sh [--listener] BENCH [ARGS...]
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a dbus-run-session -- "$0" --inside "$@"
fi
shift
listener=""
if [ "${1:-}" = "--listener" ]; then
  listener="$(dirname "$2")/atspi_listener"
  shift
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
pids=$bus
trap 'kill $pids 2>/dev/null || true; wait 2>/dev/null || true' EXIT
sleep 0.5
if [ -n "$listener" ]; then
  "$listener" &
  pids="$! $pids"
  sleep 0.5
fi
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
