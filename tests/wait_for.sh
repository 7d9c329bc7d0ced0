# Sourced by every test that waits for something: the one wait, for the
# thing itself, with a deadline that fails loudly.

# wait_for <seconds> <what> <command...>: runs the command until it succeeds.
# After the deadline it says what never happened, on standard error, and
# fails.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        if ((SECONDS >= deadline)); then
            echo "FAIL waited ${seconds}s for $what" >&2
            return 1
        fi
        sleep 0.05
    done
}
