#!/usr/bin/env bash
# Output names and standard output: a name that cannot name a file is a usage error, a refusal
# names the input file, a failed write to standard output says why, and a CSV export that cannot
# be completed leaves none of its files behind.
set -u
cli="$1"
dir="$(mktemp -d)"
trap 'chmod -R u+w "$dir" 2>/dev/null; rm -rf "$dir"' EXIT
fail=0
expect() {  # status, command...
  local want="$1"; shift
  "$@" >"$dir/out" 2>"$dir/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $* gave $got, expected $want: $(head -c 200 "$dir/err")"; fail=1
  fi
}
said() {  # text: standard error of the last command holds it
  grep -qF -- "$1" "$dir/err" || { echo "FAIL: expected '$1' in: $(head -c 300 "$dir/err")"; fail=1; }
}
"$cli" synth demo -o "$dir/demo.bin" || exit 1
mkdir "$dir/folder" "$dir/out.bin"

# emptyOutputNameIsAUsageError, trailingSlashIsAUsageError, existingFolderIsAUsageError
for name in "" "$dir/folder/" "$dir/folder" "$dir/out.bin"; do
  expect 2 "$cli" save "$dir/demo.bin" --mode 0 -o "$name"
  expect 2 "$cli" table "$dir/demo.bin" --type ojip -o "$name"
  expect 2 "$cli" export "$dir/demo.bin" --type ojip -o "$name"
done
leftovers="$(find "$dir/folder" "$dir/out.bin" -mindepth 1 | head -3)"
[ -z "$leftovers" ] || { echo "FAIL: written inside a folder: $leftovers"; fail=1; }
[ -e "$dir/.bin" ] || [ -e "$dir/.csv" ] && { echo "FAIL: a hidden file was written"; fail=1; }

# trailingDotKeepsTheDotWithoutAHiddenFile
(cd "$dir" && "$cli" save demo.bin --mode 0 -o x.) >/dev/null 2>&1 || { echo "FAIL: save -o x."; fail=1; }
[ -s "$dir/x." ] || { echo "FAIL: x. was not written"; fail=1; }
hidden="$(find "$dir" -maxdepth 1 -name '.*' ! -name '.' | head -3)"
[ -z "$hidden" ] || { echo "FAIL: hidden file beside x.: $hidden"; fail=1; }

# refusalNamesTheInputFile
(cd "$dir" && "$cli" save demo.bin --mode 2 --select none -o r.bin) >/dev/null 2>"$dir/err"
said "demo.bin: no record is selected: nothing to save"

# standardOutputFailureGivesTheReason (info included)
if [ -w /dev/full ]; then
  for cmd in "info $dir/demo.bin" "list $dir/demo.bin" "table $dir/demo.bin --type ojip"; do
    # shellcheck disable=SC2086
    "$cli" $cmd >/dev/full 2>"$dir/err"
    rc=$?
    [ "$rc" -eq 1 ] || { echo "FAIL: $cmd to /dev/full gave $rc"; fail=1; }
    said "cannot write to standard output: No space left on device"
  done
fi

# exportWithATooLongNameWritesNothing
long="$dir/$(printf 'L%.0s' $(seq 1 240))"
expect 1 "$cli" export "$dir/demo.bin" --type ojip -o "$long"
said "File name too long"
said "nothing was exported"
[ -z "$(find "$dir" -maxdepth 1 -name 'LLLL*')" ] || { echo "FAIL: export left files"; fail=1; }

# exportWithAFolderInTheWayWritesNothing
mkdir "$dir/e_UserCmd.txt"
expect 1 "$cli" export "$dir/demo.bin" --type ojip --select 1 -o "$dir/e"
said "$dir/e_UserCmd.txt: Is a directory"
[ -z "$(find "$dir" -maxdepth 1 -name 'e(*')" ] || { echo "FAIL: export left a CSV"; fail=1; }

# exportStoppedByAFullDiskRemovesWhatItWrote (the file size limit stands in for a full disk)
# SIGXFSZ ignored, so that the write fails with EFBIG instead of killing the tool.
if (trap '' XFSZ; ulimit -f 1 && "$cli" export "$dir/demo.bin" --type ojip -o "$dir/full") >/dev/null 2>"$dir/err"; then
  echo "FAIL: export under a 1 KiB file size limit succeeded"; fail=1
else
  said "this export had written"
  [ -z "$(find "$dir" -maxdepth 1 -name 'full*')" ] || { echo "FAIL: files of the failed export stayed"; fail=1; }
fi

# fifoGivenAsInputIsRefusedWithoutWaiting (a blocking open would wait for a writer for ever)
mkfifo "$dir/input.bin"
expect 1 timeout 20 "$cli" info "$dir/input.bin"
said "Cannot open $dir/input.bin: not a regular file"
expect 1 timeout 20 "$cli" save "$dir/input.bin" --mode 0 -o "$dir/never.bin"
said "not a regular file"

# outputIntoStandardOutputAndNullStreamsAndReplacesNothing
"$cli" list "$dir/demo.bin" >"$dir/listed" 2>&1
expect 0 "$cli" list "$dir/demo.bin" -o /dev/stdout
cmp -s "$dir/out" "$dir/listed" || { echo "FAIL: -o /dev/stdout differs from standard output"; fail=1; }
expect 0 "$cli" table "$dir/demo.bin" --type ojip -o /dev/null
[ -c /dev/null ] || { echo "FAIL: /dev/null is no longer a device"; fail=1; }

# interruptedExportLeavesNoTemporary: the CSV export of a full capacity file writes for seconds;
# a SIGTERM in the middle ends the tool by that signal and no hidden temporary stays.
mkdir "$dir/stopped"
"$cli" synth capacity --type ojip -o "$dir/cap.bin" || exit 1
"$cli" export "$dir/cap.bin" --type ojip -o "$dir/stopped/e" 2>/dev/null &
pid=$!
sleep 0.5
kill -TERM "$pid"; wait "$pid"; status=$?
[ "$status" -eq 143 ] || [ "$status" -eq 0 ] || { echo "FAIL: stopped export exited $status"; fail=1; }
left="$(find "$dir/stopped" -name '*.tmp' | head -3)"
[ -z "$left" ] || { echo "FAIL: temporary left by a stopped export: $left"; fail=1; }

[ "$fail" -eq 0 ] && echo "output names: all as expected"
exit "$fail"
