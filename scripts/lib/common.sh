# Shared by the project's scripts: messages, and clean-up that runs however the
# script ends. Source it from bash; it sets the EXIT, INT, TERM and HUP traps.

VELQUIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

velquin_log() {
    printf '%s: %s\n' "${0##*/}" "$*" >&2
}

velquin_die() {
    velquin_log "error: $*"
    exit 1
}

# velquin_at_exit COMMAND [ARG...]: runs the command when the script exits, after
# those registered later (last in, first out). A failing command does not stop
# the others nor change the script's exit status.
VELQUIN_EXIT_ACTIONS=()
velquin_at_exit() {
    VELQUIN_EXIT_ACTIONS+=("$(printf '%q ' "$@")")
}

velquin_run_exit_actions() {
    local i
    for ((i = ${#VELQUIN_EXIT_ACTIONS[@]} - 1; i >= 0; i--)); do
        eval "${VELQUIN_EXIT_ACTIONS[i]}" || true
    done
    VELQUIN_EXIT_ACTIONS=()
}

# velquin_stop_process PID: ends a child process of this script and waits for it.
velquin_stop_process() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

trap velquin_run_exit_actions EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Where prepared state that outlives a run is kept (the Wine prefix).
velquin_cache_dir() {
    printf '%s\n' "${VELQUIN_CACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/velquin}"
}
