# shellcheck shell=bash
# The check helpers that the packaging tests share; source it, then call finish at the end.
# Each failed check is reported and counted, so one run shows every problem, not only the first.
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_equal <what> <expected> <actual>
expect_equal() {
  if [[ "$2" != "$3" ]]; then
    fail "$1: expected '$2', got '$3'"
  fi
}

# finish <message>: exits 1 when any check failed, else prints the message.
finish() {
  if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1"
}
