# Sourced by the screen tests: skip <reason> ends the test as skipped (exit 77),
# or, with KIT_SKIPS_FAIL=1 (scripts/test, CI), as failed, saying why.
skip() {
  if [ "${KIT_SKIPS_FAIL:-}" = 1 ]; then
    echo "failed: $1 (a skip fails this run: KIT_SKIPS_FAIL=1)"
    exit 1
  fi
  echo "skipped: $1"
  exit 77
}
