#!/usr/bin/env bash
# Makes docs/screenshots/database.png and freqgen.png: the built Sono on a virtual display with a fresh
# copy of the starter database, after a letter search and with a program ready to run; and playing.png:
# the FreqGen tab while a program plays, from the window test that plays through the stand-in generator,
# on a virtual display too.
# Needs a build (scripts/build or scripts/run) and the packages of scripts/setup.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
out="$root/docs/screenshots"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
expected="$(sqlite3 build/data/freqs.mdb "SELECT count(*) FROM Main WHERE Description LIKE 'a%'")"
cat >"$tmp/session.sh" <<INNER
"$root/build/app/sono" --data-dir "$tmp/data" </dev/null >"$tmp/sono.out" 2>&1 &
pid=\$!
/usr/bin/python3 "$root/tests/install/drive_installed.py" "$expected" "$out"
status=\$?
for _ in \$(seq 50); do kill -0 \$pid 2>/dev/null || break; sleep 0.2; done
kill \$pid 2>/dev/null || true
exit \$status
INNER
env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$tmp/session.sh"
mkdir "$tmp/shots"
env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb SONO_SCREENSHOT_DIR="$tmp/shots" \
  xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui_generator_tests \
  --gtest_filter='Player.RunShowsTheTransport*' >/dev/null
cp "$tmp/shots/playing.png" "$out/playing.png"
ls -1 "$out"/*.png
