# The acceptance suite under Wine. Needs common.sh and wine.sh, and a display
# and Wine prefix set up (velquin_start_xvfb, velquin_prepare_wine_prefix).

# velquin_run_acceptance BUILD_DIR [SUITE ARG...]: puts BUILD_DIR's velquin.exe
# and stand-in WebView2Loader.dll in a folder of their own, as a user would
# unpack them, and runs BUILD_DIR's AcceptanceTest.exe on that folder. The
# suite is given three minutes; it takes seconds.
velquin_run_acceptance() {
    local build=$1
    shift
    velquin_run_acceptance_on "$build" "$build/devengine/WebView2Loader.dll" "$@"
}

# velquin_run_acceptance_without_runtime BUILD_DIR LOADER [SUITE ARG...]: the
# same with LOADER, the engine vendor's own WebView2Loader.dll, beside
# velquin.exe. No engine runtime is installed in the Wine prefix (none can
# be), so the suite runs only its tests of that case (--no-engine-runtime).
velquin_run_acceptance_without_runtime() {
    local build=$1 loader=$2
    shift 2
    velquin_run_acceptance_on "$build" "$loader" --no-engine-runtime "$@"
}

velquin_run_acceptance_on() {
    local build=$1 loader=$2 app status=0 started=$SECONDS
    shift 2
    app=$build/acceptance-app
    rm -rf "$app"
    mkdir -p "$app"
    cp "$build/velquin.exe" "$loader" "$app/"
    timeout 180 wine "$build/tests/acceptance/AcceptanceTest.exe" "$(winepath -w "$app")" "$@" </dev/null || status=$?
    velquin_log "acceptance suite ($build, $loader): exit status $status after $((SECONDS - started)) s"
    return "$status"
}
