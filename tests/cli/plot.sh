#!/usr/bin/env bash
# corvel-cli plot: every picture format for every type with a chart, on the offscreen platform and
# with no platform variable and no display at all; the extension decides the format and an unknown
# one is a usage error. A tool built without the viewer must say so and exit 1.
set -u
cli="$1"
demo="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail=0
"$cli" plot "$demo" --type ojip -o "$dir/probe.png" 2>"$dir/err"
rc=$?
if [ "$rc" -eq 1 ] && grep -q "built without the viewer" "$dir/err"; then
  echo "plot: this build has no viewer, and says so"
  exit 0
fi
[ "$rc" -eq 0 ] || { echo "FAIL: plot gave $rc: $(head -c 300 "$dir/err")"; exit 1; }

magic() {  # file, expected leading bytes as a printf format
  [ "$(head -c "$(printf "$2" | wc -c)" "$1")" = "$(printf "$2")" ]
}
check() {  # file, extension
  case "$2" in
    bmp) magic "$1" 'BM' ;;
    png) magic "$1" '\211PNG' ;;
    svg) head -c 200 "$1" | grep -q '<?xml' && grep -q '<svg' "$1" ;;
    pdf) magic "$1" '%%PDF-' ;;
  esac
}
for type in ojip slowkin rlc dr afterss pifr multiojip foprime; do
  for ext in bmp png svg pdf; do
    out="$dir/$type.$ext"
    if ! env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$cli" plot "$demo" --type "$type" \
        -o "$out" 2>"$dir/err"; then
      echo "FAIL: plot --type $type -o $type.$ext without a display: $(head -c 300 "$dir/err")"; fail=1
    elif ! check "$out" "$ext"; then
      echo "FAIL: $type.$ext does not hold a $ext picture"; fail=1
    elif [ -s "$dir/err" ]; then
      echo "FAIL: plot --type $type -o $type.$ext wrote to standard error: $(head -c 300 "$dir/err")"; fail=1
    fi
  done
done
QT_QPA_PLATFORM=offscreen "$cli" plot "$demo" --type rlc --select 1 --size 640x480 --dpi 150 \
  -o "$dir/offscreen.png" || { echo "FAIL: plot under QT_QPA_PLATFORM=offscreen"; fail=1; }
# 640 x 480 pixels at 96 dots per inch, drawn at 150: 1000 x 750 pixels.
if command -v python3 >/dev/null; then
  size="$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$dir/offscreen.png")"
  [ "$size" = "1000x750" ] || { echo "FAIL: 640x480 at 150 dpi gave $size"; fail=1; }
fi
# A name without an extension gets .bmp, as in the save dialog.
"$cli" plot "$demo" --type pifr -o "$dir/plain" && magic "$dir/plain.bmp" 'BM' ||
  { echo "FAIL: plain.bmp"; fail=1; }
expect() {  # status, command...
  local want="$1"; shift
  "$@" >/dev/null 2>"$dir/err"
  local got=$?
  [ "$got" -eq "$want" ] || { echo "FAIL: $* gave $got, expected $want"; fail=1; }
}
expect 2 "$cli" plot "$demo" --type ojip -o "$dir/figure.jpg"
expect 2 "$cli" plot "$demo" --type ojip -o "$dir/figure.png.txt"
expect 2 "$cli" plot "$demo" --type ojip --size 10x10 -o "$dir/small.png"
expect 2 "$cli" plot "$demo" --type ojip
expect 1 "$cli" plot "$demo" --type user -o "$dir/user.png"
expect 1 "$cli" plot "$demo" --type ojip -o "$dir/no/such/folder/a.png"
for f in figure.jpg figure.png.txt small.png user.png; do
  [ -e "$dir/$f" ] && { echo "FAIL: $f was written"; fail=1; }
done
[ -z "$(ls -A "$dir" | grep '^\.')" ] || { echo "FAIL: a temporary file was left"; fail=1; }
[ "$fail" -eq 0 ] && echo "plot: all formats of every type as expected"
exit "$fail"
