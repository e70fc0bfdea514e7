#!/usr/bin/env bash
# Runs the window-manager tests of a window-test binary on a virtual X display under a real window
# manager (openbox), where stacking and focus behave as on a user's desktop.
# Usage: under_window_manager.sh TEST_BINARY
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# Under the sanitizers, leaks of the system libraries a real display brings in are not Sono's.
export LSAN_OPTIONS="suppressions=$here/xcb-leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cat >"${TMPDIR:-/tmp}/sono-wm-$$.sh" <<'INNER'
openbox >/dev/null 2>&1 &
for _ in $(seq 50); do xprop -root _OB_THEME 2>/dev/null | grep -q "=" && break; sleep 0.1; done
SONO_WINDOW_MANAGER=1 QT_QPA_PLATFORM=xcb "$1" --gtest_filter='WindowManager.*'
INNER
trap 'rm -f "${TMPDIR:-/tmp}/sono-wm-$$.sh"' EXIT
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" bash "${TMPDIR:-/tmp}/sono-wm-$$.sh" "$1"
