#!/usr/bin/env bash
# Runs the built tool on one case and compares what it prints and its exit status with the
# expected files:
#   run_case.sh TOOL EXPECTED_PREFIX STATUS [--stdin FILE | --stdin-cmd COMMAND] -- ARGS...
# PREFIX.out / PREFIX.err hold stdout / stderr byte for byte; PREFIX.out.has / PREFIX.err.has
# hold lines that must each occur in it. A stream with neither file must stay empty.
# Standard input is /dev/null unless given. WHERETREE_UPDATE_EXPECTED=1 rewrites the existing
# byte-for-byte files from this run (review the diff before committing it).
set -uo pipefail

tool=$1 prefix=$2 want_status=$3
shift 3
stdin=/dev/null
stdin_cmd=
while [ $# -gt 0 ]; do
  case $1 in
    --stdin) stdin=$2; shift 2 ;;
    --stdin-cmd) stdin_cmd=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "run_case.sh: unknown argument $1"; exit 2 ;;
  esac
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if [ -n "$stdin_cmd" ]; then
  bash -c "$stdin_cmd" > "$tmp/stdin"
  stdin=$tmp/stdin
fi

"$tool" "$@" < "$stdin" > "$tmp/out" 2> "$tmp/err"
status=$?

fail=0
if [ "$status" -ne "$want_status" ]; then
  echo "exit status $status, expected $want_status"
  fail=1
fi

check() {
  local stream=$1 got=$tmp/$1
  if [ -f "$prefix.$stream" ]; then
    if [ "${WHERETREE_UPDATE_EXPECTED:-0}" = 1 ]; then cp "$got" "$prefix.$stream"; fi
    if ! cmp -s "$prefix.$stream" "$got"; then
      echo "$stream differs from $prefix.$stream (< expected, > got; cat -A):"
      diff <(cat -A "$prefix.$stream") <(cat -A "$got") | head -60
      fail=1
    fi
  elif [ -f "$prefix.$stream.has" ]; then
    while IFS= read -r line; do
      if ! grep -qF -- "$line" "$got"; then
        echo "$stream lacks the line: $line"
        fail=1
      fi
    done < "$prefix.$stream.has"
  elif [ -s "$got" ]; then
    echo "unexpected $stream:"
    head -c 2000 "$got"
    fail=1
  fi
}
check out
check err
if [ $fail -ne 0 ]; then
  echo "--- stderr of the run:"
  head -c 2000 "$tmp/err"
fi
exit $fail
