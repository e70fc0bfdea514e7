#!/bin/sh
# Stands in for freqgen in window tests: speaks the control format without a sound card. A program
# whose name starts with "noisy" ends as freqgen does without a sound device after 30 lines of a sound
# library's notices; "crash" dies of a signal.
[ "$1" = --control ] || { echo "freqgen: the stand-in plays only with --control" >&2; exit 2; }
run=
while [ $# -gt 0 ]; do
  [ "$1" = -f ] && run=$2
  shift
done
case $run in
  noisy*) seq 30 | sed 's/^/ALSA lib notice /' >&2; echo "freqgen: no usable sound output device" >&2; exit 4 ;;
  crash*) echo "freqgen: the sound device went away" >&2; kill -KILL $$ ;;
esac
echo $$ >freqgen.pid # the same process after exec, for tests that it ends
[ -r "$run" ] || { echo "freqgen: cannot read the run file $run" >&2; exit 3; }
# mawk reads a pipe in blocks unless told to take each line as it comes.
interactive=
awk -W version 2>/dev/null | grep -q mawk && interactive="-W interactive"
exec awk $interactive -v run="$run" '
function status(   i, start, total, played) {
  for (i = 1; i <= n; i++) { if (i < step) start += time[i]; total += time[i] }
  played = freq[step]
  while (played >= 24000) played /= 2
  printf "%s step=%d count=%d freq=%g played=%g elapsed=%g left=%g at=%g vl=%g vr=%g\n", \
    word, step, n, freq[step], played, start, total - start, start, vl, vr
  fflush()
}
BEGIN {
  while ((getline line < run) > 0)
    if (line !~ /^#/) { split(line, f, ","); n++; freq[n] = f[1] + 0; time[n] = f[2] + 0 }
  step = 1; word = "playing"; vl = vr = 0.5
  status()
}
{ c = $1 }
c == "stop" { exit }
c == "pause" { word = "paused" }
c == "resume" { word = "playing" }
c == "next" { if (step == n) exit; step++ }
c == "back" { if (step > 1) step-- }
c == "louder" { vl = vr = (vl + 0.05 > 1 ? 1 : vl + 0.05) }
c == "softer" { vl = vr = (vl - 0.05 < 0 ? 0 : vl - 0.05) }
c == "spread" {
  for (i = n; i > step; i--) { freq[i + 18] = freq[i]; time[i + 18] = time[i] }
  for (i = 1; i <= 18; i++) { freq[step + i] = freq[step] + (i - 9.5) / 3; time[step + i] = 180 }
  n += 18
}
c !~ /^(stop|pause|resume|next|back|louder|softer|spread)$/ { print "unknown " $0; fflush(); next }
{ status() }
END { print "finished elapsed=0"; fflush() }'
