#!/usr/bin/env bash
# corvel-cli params over a good and a damaged file: the good file's rows are written, the damaged
# one is named on standard error, the status is 1; long and wide hold the same numbers; the JSON
# parses.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" synth demo -o "$work/good.bin"
"$cli" synth edge -o "$work"
bad="$work/record_length_0.bin"

set +e
"$cli" params "$work/good.bin" "$work/missing.bin" "$bad" --type ojip -o "$work/long" 2> "$work/err"
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "status $rc, expected 1"
grep -q "missing.bin" "$work/err" || fail "the unreadable file is not reported"
grep -q "record_length_0.bin: the record chain ends" "$work/err" || fail "the damaged file is not reported"
[ -f "$work/long.csv" ] || fail "no output written"
head -1 "$work/long.csv" | grep -qx 'file,type,record,name,datetime,step,parameter,value' || fail "long header"
good_rows=$(grep -c "^$work/good.bin,ojip," "$work/long.csv")
[ "$good_rows" -gt 0 ] || fail "the good file's rows are missing"

"$cli" params "$work/good.bin" --type ojip --format wide -o "$work/wide.csv"
"$cli" params "$work/good.bin" --type ojip > "$work/long-good.csv"
python3 - "$work/long-good.csv" "$work/wide.csv" <<'PY' || fail "long and wide differ"
import csv, sys
long = {(r["record"], r["step"], r["parameter"]): r["value"] for r in csv.DictReader(open(sys.argv[1], encoding="utf-8"))}
wide = {}
for r in csv.DictReader(open(sys.argv[2], encoding="utf-8")):
    for k, v in r.items():
        if k not in ("file", "type", "record", "name", "datetime", "step") and v != "":
            wide[(r["record"], r["step"], k)] = v
assert long == wide and len(long) > 0, (len(long), len(wide))
PY

"$cli" params "$work/good.bin" "$work/good.bin" --type all --format json -o "$work/all.json"
python3 - "$work/all.json" <<'PY' || fail "the JSON does not parse"
import json, sys
records = json.load(open(sys.argv[1], encoding="utf-8"))
types = {r["type"] for r in records}
assert "ojip" in types and "rlc" in types and "user" not in types, types
PY

set +e
"$cli" params "$work/good.bin" --select 1-x > /dev/null 2>&1
rc=$?
set -e
[ "$rc" -eq 2 ] || fail "a malformed selection gives status $rc, expected 2"
echo "params: all passed"
