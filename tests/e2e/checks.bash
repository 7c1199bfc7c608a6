# What the end-to-end scripts share; each counts its failures in `failures`.
failures=0
# check NAME REASON COMMAND...: one case from one command's status.
check() {
  "${@:3}" && echo "PASS: $1" && return
  echo "FAIL: $1 ($2)"
  failures=$((failures + 1))
  return 1
}
# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  until "${@:2}" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
