# A private virtual X display. Needs common.sh.

# velquin_display_answers DISPLAY: whether an X server answers there.
velquin_display_answers() {
    xdpyinfo -display "$1" >/dev/null 2>&1
}

# velquin_start_xvfb [WIDTHxHEIGHTxDEPTH]: starts Xvfb on the first free display
# from :90 on, waits until it answers and exports DISPLAY. Xvfb is stopped when
# the script exits. Call it from the script's own shell, not from a subshell.
velquin_start_xvfb() {
    local screen=${1:-1280x1024x24} log number pid tries
    log=$(mktemp "${TMPDIR:-/tmp}/velquin-xvfb.XXXXXX")
    velquin_at_exit rm -f "$log"
    for ((number = 90; number < 190; number++)); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 "$screen" -nolisten tcp -noreset >"$log" 2>&1 &
        pid=$!
        # Another server may take the display first: then ours exits at once
        # and the next display is tried.
        for ((tries = 0; tries < 100; tries++)); do
            if velquin_display_answers ":$number" && kill -0 "$pid" 2>/dev/null; then
                velquin_at_exit velquin_stop_process "$pid"
                export DISPLAY=":$number"
                VELQUIN_XVFB_PID=$pid
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        velquin_stop_process "$pid"
    done
    cat "$log" >&2
    velquin_die "could not start Xvfb on any display from :90 to :189"
}
