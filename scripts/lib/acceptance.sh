# The acceptance suite under Wine. Needs common.sh and wine.sh, and a display
# and Wine prefix set up (velquin_start_xvfb, velquin_prepare_wine_prefix).

# velquin_run_acceptance BUILD_DIR [SUITE ARG...]: puts BUILD_DIR's velquin.exe
# and stand-in WebView2Loader.dll in a folder of their own, as a user would
# unpack them, and runs BUILD_DIR's AcceptanceTest.exe on that folder. The
# suite is given three minutes; it takes seconds.
velquin_run_acceptance() {
    local build=$1 app status=0 started=$SECONDS
    shift
    app=$build/acceptance-app
    rm -rf "$app"
    mkdir -p "$app"
    cp "$build/velquin.exe" "$build/devengine/WebView2Loader.dll" "$app/"
    timeout 180 wine "$build/tests/acceptance/AcceptanceTest.exe" "$(winepath -w "$app")" "$@" </dev/null || status=$?
    velquin_log "acceptance suite ($build): exit status $status after $((SECONDS - started)) s"
    return "$status"
}
