#!/usr/bin/env bash
# corvel-cli compare: the summary and curve headers, the default grouping, and the exit codes of
# an unknown control (2), overlapping groups (2), a selection outside the list (2) and a type
# without parameters (1).
set -euo pipefail
cli="$1"
demo="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
status() { set +e; "$@" > /dev/null 2>&1; echo $?; set -e; }

"$cli" compare "$demo" --type ojip --group A=1-2 --group B=3-4 --control B -o "$work/s"
head -1 "$work/s.csv" | grep -q '^group,parameter,n,mean,sd,se,ratio,p' || fail "summary header"
grep -q '^B,Fo,2,.*,1,' "$work/s.csv" || fail "the control's ratio is not 1"
"$cli" compare "$demo" --type ojip --curves > "$work/c.csv"
head -1 "$work/c.csv" | grep -q '^time_us,group,n,F,F_sd,V,V_sd,W_OK,W_OJ,V_IP,dV,dW_OK,dW_OJ,dV_IP' ||
  fail "curves header"
[ "$(status "$cli" compare "$demo" --type ojip --group A=1 --control X)" -eq 2 ] || fail "unknown control"
[ "$(status "$cli" compare "$demo" --type ojip --group A=1-2 --group B=2)" -eq 2 ] || fail "overlap"
[ "$(status "$cli" compare "$demo" --type ojip --group A=1-9999)" -eq 2 ] || fail "outside the list"
[ "$(status "$cli" compare "$demo" --type user)" -eq 1 ] || fail "type without parameters"
echo ok
