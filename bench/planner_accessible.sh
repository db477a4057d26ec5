#!/usr/bin/env bash
# Runs bench_planner with the accessibility bridge active: a virtual X display
# (Xvfb), a D-Bus session, the AT-SPI bus and Qt's AT-SPI bridge switched on,
# as for the user of a screen reader. Usage: planner_accessible.sh BENCH [ARGS...]
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a dbus-run-session -- "$0" --inside "$@"
fi
shift
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
trap 'kill $bus 2>/dev/null || true' EXIT
sleep 0.5
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
