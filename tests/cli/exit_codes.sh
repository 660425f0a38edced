#!/usr/bin/env bash
# The command-line tool's contract: silent no-ops of the window are status 1 with a reason, bad
# usage is status 2, and nothing is written in either case.
set -u
cli="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail=0
expect() {  # status, command...
  local want="$1"; shift
  "$@" >"$dir/out" 2>"$dir/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $* gave $got, expected $want: $(head -c 200 "$dir/err")"; fail=1
  elif [ "$want" -ne 0 ] && [ ! -s "$dir/err" ]; then
    echo "FAIL: $* said nothing on standard error"; fail=1
  fi
}
"$cli" synth demo -o "$dir/demo.bin" || exit 1
head -c 64 "$dir/demo.bin" >"$dir/header.bin"
expect 0 "$cli" list "$dir/demo.bin" --type rlc
expect 1 "$cli" save "$dir/header.bin" --mode 0 -o "$dir/a.bin"
expect 1 "$cli" save "$dir/demo.bin" --mode 2 --select none -o "$dir/b.bin"
expect 1 "$cli" export "$dir/demo.bin" --type ojip --select none -o "$dir/c"
expect 1 "$cli" table "$dir/missing.bin" --type ojip
expect 1 "$cli" table "$dir/demo.bin" --type ojip -o "$dir/no/such/dir/t.csv"
expect 2 "$cli" table "$dir/demo.bin" --type nosuch
expect 2 "$cli" table "$dir/demo.bin" --type ojip --select 999
expect 2 "$cli" frobnicate "$dir/demo.bin"
for f in a.bin b.bin c_UserCmd.txt; do
  [ -e "$dir/$f" ] && { echo "FAIL: $f was written"; fail=1; }
done
# A name typed without an extension gets the dialog's default one.
expect 0 "$cli" save "$dir/demo.bin" --mode 1 --type ojip -o "$dir/plain"
[ -s "$dir/plain.bin" ] || { echo "FAIL: plain.bin missing"; fail=1; }
[ "$fail" -eq 0 ] && echo "exit codes: all as expected"
exit "$fail"
