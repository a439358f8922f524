# The time budget of the tests: no test case over VELQUIN_TEST_CASE_BUDGET
# seconds (30), ctest's whole run under VELQUIN_TEST_RUN_BUDGET seconds (240),
# on a two-core machine with two tests side by side. The times are read from
# ctest's own record of its last run. Needs common.sh.

VELQUIN_TEST_CASE_BUDGET=${VELQUIN_TEST_CASE_BUDGET:-30}
VELQUIN_TEST_RUN_BUDGET=${VELQUIN_TEST_RUN_BUDGET:-240}

# velquin_test_times LOG: one line "<seconds> <test case>" for each test case
# in LOG (ctest's Testing/Temporary/LastTest.log), slowest first. Each case's
# block ends with its output, then "Test time = <seconds> sec"; the lines of
# the output itself are skipped, whatever they say.
velquin_test_times() {
    awk '
        output { if ($0 == "<end of output>") output = 0; next }
        /^Output:$/ { output = 1; next }
        /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); next }
        /^Test time = / && name != "" { print $4, name; name = "" }
    ' "$1" | sort -k1,1gr
}

# velquin_check_test_budget BUILD_DIR: prints the ten slowest test cases of
# ctest's last run in BUILD_DIR and fails, naming each, if any took longer
# than the budget.
velquin_check_test_budget() {
    local log=$1/Testing/Temporary/LastTest.log times over
    if [[ ! -s $log ]]; then
        velquin_log "error: ctest left no record of its test times ($log)"
        return 1
    fi
    times=$(velquin_test_times "$log")
    # Nothing ran (ctest -N, or a filter that matches nothing: ctest itself
    # fails that with --no-tests=error).
    [[ -n $times ]] || return 0
    printf 'The ten slowest test cases (budget: %s s each):\n' "$VELQUIN_TEST_CASE_BUDGET"
    head -n 10 <<<"$times" | awk '{ time = $1; sub(/^[^ ]+ /, ""); printf "  %8.2f s  %s\n", time, $0 }'
    over=$(awk -v budget="$VELQUIN_TEST_CASE_BUDGET" '$1 > budget' <<<"$times")
    if [[ -n $over ]]; then
        while read -r time name; do
            velquin_log "error: test case $name took $time s, over the budget of $VELQUIN_TEST_CASE_BUDGET s"
        done <<<"$over"
        return 1
    fi
}

# velquin_ctest_within_budget BUILD_DIR CTEST_ARG...: runs ctest with the
# arguments on the tests of BUILD_DIR, then checks the times of the cases it
# ran (even when some failed). Fails when ctest fails or a case is over the
# budget; a whole run over its budget is reported.
velquin_ctest_within_budget() {
    local dir=$1 status=0 started=$SECONDS elapsed
    shift
    # A record left by an earlier run must not stand in for this one's.
    rm -f "$dir/Testing/Temporary/LastTest.log"
    ctest "$@" || status=$?
    elapsed=$((SECONDS - started))
    velquin_check_test_budget "$dir" || ((status != 0)) || status=1
    if ((elapsed > VELQUIN_TEST_RUN_BUDGET)); then
        velquin_log "warning: ctest took $elapsed s, over the budget of $VELQUIN_TEST_RUN_BUDGET s for a whole run"
    fi
    return "$status"
}
