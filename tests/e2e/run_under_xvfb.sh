#!/usr/bin/env bash
# Runs an end-to-end script of the real hotel program on a virtual X screen with a session bus and
# the accessibility bus, as a desktop session would provide them. Exit code 77 (skipped) only when
# the accessibility bus itself cannot be started here; a missing tool is a failure, because
# scripts/deps.sh installs them all.
# Usage: run_under_xvfb.sh <script.py> <arguments...>
set -euo pipefail

python=/usr/bin/python3 # Debian's interpreter: the one that has pyatspi
launcher=/usr/libexec/at-spi-bus-launcher

for tool in xvfb-run xauth dbus-run-session dbus-send xdotool xwd pdftotext; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool (run scripts/deps.sh)" >&2; exit 1; }
done
[ -x "$launcher" ] || { echo "missing $launcher (package at-spi2-core; run scripts/deps.sh)" >&2; exit 1; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "$python lacks pyatspi (package python3-pyatspi)" >&2; exit 1; }

if [ "${LODGERA_E2E_INNER:-}" != 1 ]; then
  export LODGERA_E2E_INNER=1
  # A display number of its own, so that runs started at the same moment do not race for one.
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- "$(readlink -f "$0")" "$@"
fi

# Inside the session: the accessibility bus first, then the script.
"$launcher" --launch-immediately >/dev/null 2>&1 &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null || true' EXIT
bus_up=0
for _ in $(seq 1 50); do
  if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; then
    bus_up=1
    break
  fi
  sleep 0.1
done
if [ "$bus_up" != 1 ]; then
  echo "SKIP: the accessibility bus (at-spi-bus-launcher) could not be started in this session" >&2
  exit 77
fi

"$python" "$@"
