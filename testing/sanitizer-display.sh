# Sourced by the X server scripts after they set `testing` (this folder): the
# display libraries under SDL keep some memory until exit, which is theirs to
# answer for; only those leaks, named by their library in lsan-display.supp,
# are passed over, so that a leak in the kit's own code fails the test.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$testing" && pwd)/lsan-display.supp:print_suppressions=0"
