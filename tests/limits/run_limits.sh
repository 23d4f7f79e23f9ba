#!/usr/bin/env bash
# run_limits.sh CHECK TOOL [VALGRIND]: one resource-limit check of the command-line tool.
# Inputs are generated here, so no large file is kept in the repository.
set -euo pipefail
check=$1
tool=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# n opening brackets, a condition, n closing brackets: 2n + 5 characters.
nested() {
  local n=$1
  head -c "$n" /dev/zero | tr '\0' '('
  printf 'a = 1'
  head -c "$n" /dev/zero | tr '\0' ')'
}

# The largest input: conditions of every kind over tables t0..t203, as long as the text stays
# within 32767 characters, and the table list they name.
largest() {
  local where="$work/largest.where" tables="$work/largest.aml" text="" i=0 c a b
  for ((t = 0; t < 204; t++)); do
    printf '<T>TABLE_%d<AA>t%d<AA><PP>ID,REF_ID,NAME,AMOUNT<PP><T>\r\n' "$t" "$t"
  done >"$tables"
  while :; do
    a="t$((i % 204))" b="t$(((i + 1) % 204))"
    case $((i % 5)) in
      0) c="$a.REF_ID = $b.ID(+)" ;;
      1) c="$a.NAME IN ('A$i', 'B')" ;;
      2) c="($a.AMOUNT < 5 Or $a.NAME LIKE 'x%')" ;;
      3) c="$a.AMOUNT BETWEEN 1 AND $i" ;;
      *) c="$a.REF_ID(+) = $b.ID" ;;
    esac
    [ "$i" -gt 0 ] && c=" And $c"
    [ $((${#text} + ${#c})) -gt 32767 ] && break
    text+=$c
    i=$((i + 1))
  done
  printf '%s' "$text" >"$where"
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

case $check in
  deepest_nesting_small_stack)
    # A group's closing bracket must stand fewer than 17777 characters after its opening one, so
    # 8885 levels (17775 characters) are the deepest nesting a load accepts: every format of it
    # on a 1 MiB stack.
    nested 8885 >"$work/deep.where"
    for format in where aml ansi oracle json text; do
      if ! (ulimit -s 1024 && "$tool" --format "$format" "$work/deep.where") >"$work/out" \
        2>"$work/err"; then
        cat "$work/err" >&2
        fail "--format $format on the deepest nesting"
      fi
    done
    # The written WHERE text holds every bracket and the condition.
    (ulimit -s 1024 && "$tool" --format where "$work/deep.where") >"$work/out"
    [ "$(tr -cd '(' <"$work/out" | wc -c)" -eq 8885 ] || fail "brackets lost in the written text"
    grep -q 'a = 1' "$work/out" || fail "the condition is lost in the written text"
    ;;
  deeper_nesting_refused)
    # Deeper input fails with status 1 and a message that names the limit it ran into.
    expect_refused() {
      local input=$1 limit=$2 status=0
      (ulimit -s 1024 && "$tool" --format where "$input") >"$work/out" 2>"$work/err" || status=$?
      [ "$status" -eq 1 ] || fail "$(basename "$input"): expected status 1, got $status"
      grep -q "$limit" "$work/err" || fail "the message does not name $limit: $(cat "$work/err")"
    }
    nested 8886 >"$work/one_level_more.where"      # closes 17777 characters after it opens
    expect_refused "$work/one_level_more.where" 17777
    nested 16381 >"$work/longest.where"            # 32767 characters, the longest text
    expect_refused "$work/longest.where" 17777
    nested 16382 >"$work/too_long.where"           # 32769 characters
    expect_refused "$work/too_long.where" 32767
    head -c 32767 /dev/zero | tr '\0' '(' >"$work/unclosed.where"
    status=0
    (ulimit -s 1024 && "$tool" "$work/unclosed.where") >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "unclosed brackets: expected status 1, got $status"
    grep -qi 'never closed' "$work/err" || fail "unclear message: $(cat "$work/err")"
    ;;
  peak_memory_largest_input)
    largest
    limit_kb=20480
    for format in text json; do
      /usr/bin/time -f '%M' -o "$work/rss" "$tool" --format "$format" \
        --tables "$work/largest.aml" "$work/largest.where" >/dev/null
      rss=$(tail -n 1 "$work/rss")
      echo "peak memory, --format $format on $(wc -c <"$work/largest.where") characters: ${rss} KiB"
      [ "$rss" -lt "$limit_kb" ] || fail "peak memory ${rss} KiB is not under $limit_kb KiB"
    done
    ;;
  valgrind_memcheck)
    valgrind=$3
    largest
    nested 2000 >"$work/nested.where"
    nested 8886 >"$work/deeper.where"
    printf '(a = 1 And b = 2' >"$work/unclosed.where"
    printf '<T>EMP<AA>e<AA><T>' >"$work/bad.aml"
    printf 'e.x = \xff' >"$work/bad_utf8.where"
    run() {
      "$valgrind" --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect "$tool" "$@" >/dev/null 2>"$work/vg" || {
        status=$?
        if [ "$status" -eq 99 ]; then
          cat "$work/vg" >&2
          fail "valgrind found errors or leaks: $*"
        fi
      }
    }
    for format in text json where aml ansi oracle; do
      run --format "$format" --tables examples/employees.aml examples/employees.where
    done
    run --format json --tables "$work/largest.aml" "$work/largest.where"
    run --format text "$work/nested.where"
    run "$work/deeper.where"
    run "$work/unclosed.where"
    run --format json "$work/unclosed.where"
    run --tables "$work/bad.aml" examples/employees.where
    run "$work/bad_utf8.where"
    run --format nonsense examples/employees.where
    run "$work/missing.where"
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
