#!/usr/bin/env bash
# on-bare-x.sh COMMAND [ARG...]: runs COMMAND with Qt on an X server of its
# own (Xvfb) that has no window manager. Nothing there gives a window the
# focus but the program's own request, as under a window manager that keeps
# new windows from taking it; offscreen, every window shown is made active.
# The server picks a free display itself (-displayfd), so runs in parallel
# never collide, and it ends with the command. Exit status: the command's.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "on-bare-x.sh: Xvfb is not installed (scripts/setup)" >&2; exit 1; }
number=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$number" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$number"' EXIT
# The server writes its display number once it accepts clients.
for _ in $(seq 600); do
  [ -s "$number" ] && break
  kill -0 "$server" 2>/dev/null || { echo "on-bare-x.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$number" ] || { echo "on-bare-x.sh: Xvfb gave no display in 60 s" >&2; exit 1; }
DISPLAY=:$(head -n1 "$number") QT_QPA_PLATFORM=xcb "$@"
