#!/usr/bin/env bash
# Tracking as a screen reader meets it. For each drive mode (0 relay, 1 relay
# + speed, 2 speed) it starts the interface-box simulator on a pseudo-terminal
# (paced as a 9600-baud line, motors at 1 degree per second) and Tracking on a
# copy of station/ whose station uses that box, under the accessibility
# bridge (a virtual X display, a D-Bus session, the AT-SPI bus, Qt's bridge
# switched on), and measures with accessibility_probe how fast Tracking
# answers: calls answered per second and the time to read each shown window
# whole, with the station loaded and nothing moving ("stopped"), on the way
# to park ("moving") and with automatic tracking on ("tracking"); beside
# them the exchanges per second on the line while the probe worked (the
# paced line allows about 480). Mode "nobox" is the reference: the station
# on COM 0, no line, stopped only.
#
# Usage: bench/tracking_accessible.sh [SECONDS per measurement, default 5] [MODES, default "nobox 0 1 2"]
# The build folder is $SELVANE_BUILD_DIR, default ./build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a dbus-run-session -- "$0" --inside "$@"
fi
shift
seconds=${1:-5}
modes=${2:-nobox 0 1 2}
build=${SELVANE_BUILD_DIR:-$root/build}
probe=$build/bench/accessibility_probe
for program in "$probe" "$build/Tracking/Tracking" "$build/tools/boxsim/boxsim"; do
  [ -x "$program" ] || { echo "missing $program: build first (scripts/build)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
sleep 0.5

# Bytes the box has served so far (its "status" line's served=).
served() {
  local lines
  lines=$(wc -l <"$1/box.out")
  echo status >&3
  for _ in $(seq 100); do
    [ "$(wc -l <"$1/box.out")" -gt "$lines" ] && break
    sleep 0.05
  done
  tail -n 1 "$1/box.out" | sed -E 's/.*served=([0-9]+).*/\1/'
}

# One measurement: calls, then a read of every shown window, and the line's
# exchanges per second meanwhile.
measure() {
  local station=$1 label=$2 before after t0 t1
  if [ "$mode" = nobox ]; then
    "$probe" app Tracking calls "$seconds" "$label" read "$label"
    return
  fi
  before=$(served "$station")
  t0=$(date +%s.%N)
  "$probe" app Tracking calls "$seconds" "$label" read "$label"
  t1=$(date +%s.%N)
  after=$(served "$station")
  # The antenna's true position and speed at the end tell whether a drive ran.
  motion=$(tail -n 1 "$station/box.out" | grep -oE '(az|el|vaz|vel)=[-0-9.]+' | tr '\n' ' ')
  awk -v l="$label" -v b="$before" -v a="$after" -v t0="$t0" -v t1="$t1" -v m="$motion" \
    'BEGIN { printf "line %s: %.0f exchanges/s; box %s\n", l, (a - b) / (t1 - t0), m }'
}

# Tracking started in station folder $1 with the accessibility bridge on, its
# station Home.dat chosen and its main window shown.
start_tracking() {
  (cd "$1" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$build/Tracking/Tracking" \
    >"$1/tracking.log" 2>&1) &
  tracking=$!
  pids+=($tracking)
  "$probe" app Tracking 60 press Home.dat 60 wait "Selvane - Tracking  <<" 60 sleep 2
}

for mode in $modes; do
  station=$work/mode$mode
  mkdir -p "$station"
  cp -r "$root/station/." "$station/"
  echo "== drive mode $mode"
  if [ "$mode" = nobox ]; then
    # The station as it comes: COM 0, no box.
    start_tracking "$station"
    measure "$station" stopped
    kill -TERM "$tracking" 2>/dev/null || true
    wait "$tracking" 2>/dev/null || true
    continue
  fi
  # The station's box on COM 1 in this drive mode (CR LF lines).
  awk -v m="$mode" '{ if (prev == "Com Port:\r") $0 = "1\r"; if (prev == "Speed control\r") $0 = " " m "\r";
                      prev = $0; print }' "$root/station/home.dat" >"$station/home.dat"
  boxmode=relay
  [ "$mode" = 2 ] && boxmode=speed
  mkfifo "$station/box.in"
  "$build/tools/boxsim/boxsim" --folder "$station" --com 1 --mode "$boxmode" --pace --rate 1 --az 100 --el 20 \
    --control <"$station/box.in" >"$station/box.out" 2>"$station/box.err" &
  box=$!
  pids+=($box)
  exec 3>"$station/box.in"
  for _ in $(seq 100); do grep -q '^boxsim: ' "$station/box.out" && break; sleep 0.05; done

  start_tracking "$station"
  measure "$station" stopped
  "$probe" app Tracking press Park sleep 3
  measure "$station" moving
  "$probe" app Tracking press "Automatic tracking" sleep 2
  measure "$station" tracking

  kill -TERM "$tracking" 2>/dev/null || true
  wait "$tracking" 2>/dev/null || true
  echo quit >&3
  exec 3>&-
  wait "$box" 2>/dev/null || true
  if [ -s "$station/box.err" ]; then
    echo "box of mode $mode reported:"
    cat "$station/box.err"
  fi
done
