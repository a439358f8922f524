# Wine, to run the cross-compiled programs. Needs common.sh.

# velquin_wine_environment: settings for every Wine program of the project:
# 64-bit, no debug output, no offer to download Mono or Gecko, and no menu
# entries written into the user's home.
velquin_wine_environment() {
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# velquin_prepare_wine_prefix: exports WINEPREFIX, a copy for this run of the
# prefix kept in the cache folder, and deletes it when the script exits.
#
# Creating a prefix takes seconds, so it is done once (again after a Wine
# upgrade). Each run gets its own copy so that runs side by side get their own
# Wine server: one run's tests, windows and final `wineserver -k` never touch
# another's. Call it with DISPLAY set, after velquin_wine_environment.
velquin_prepare_wine_prefix() {
    local cache template version lock run
    cache=$(velquin_cache_dir)
    template=$cache/wineprefix
    mkdir -p "$cache/runs"
    exec {lock}>"$cache/wineprefix.lock"

    flock -x "$lock"
    # Names what the prefix was made with: Wine's version and how it is set up here.
    version="$(wine --version) setup 2"
    if [[ $(cat "$template/.velquin-version" 2>/dev/null) != "$version" ]]; then
        velquin_create_wine_prefix "$template"
        printf '%s\n' "$version" >"$template/.velquin-version"
    fi
    # Others may copy the prefix meanwhile; nobody may recreate it.
    flock -s "$lock"

    velquin_remove_stale_runs "$cache/runs"
    run=$cache/runs/$$
    velquin_at_exit rm -rf "$run"
    velquin_copy_wine_prefix "$template" "$run"
    exec {lock}>&-
    export WINEPREFIX=$run
}

# A program that crashes prints its backtrace and ends, rather than waiting in
# Wine's crash dialog until a test's timeout. Windows are not left to a window
# manager (none runs in Xvfb): otherwise Wine waits 2 s for one each time a
# shown top-level window is destroyed.
velquin_create_wine_prefix() {
    local prefix=$1 log started=$SECONDS
    velquin_log "creating the Wine prefix $prefix (once)"
    rm -rf "$prefix"
    log=$(mktemp "${TMPDIR:-/tmp}/velquin-wineboot.XXXXXX")
    if ! (
        export WINEPREFIX=$prefix
        wineboot -i &&
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
            wineserver -w
    ) >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        rm -f "$log"
        velquin_die "wineboot failed"
    fi
    rm -f "$log"
    velquin_log "Wine prefix created in $((SECONDS - started)) s"
}

# Wine's libraries and programs, the bulk of a prefix (about 700 MB), become hard
# links: nothing writes to them. Every other file gets a copy of its own, since
# Windows programs may rewrite such a file in place (win.ini, for example).
velquin_copy_wine_prefix() {
    cp -al "$1" "$2"
    find "$2" -type f ! -iregex '.*\.\(dll\|exe\|sys\|drv\|nls\|ocx\|cpl\|acm\|tlb\|ax\|ds\)' \
        -exec sh -c 'for file; do cp -p "$file" "$file.copy" && mv -f "$file.copy" "$file"; done' sh {} +
}

# Copies left behind by runs that were killed before they could clean up.
velquin_remove_stale_runs() {
    local run
    for run in "$1"/*; do
        [[ -d $run ]] || continue
        # Another run may be removing the same folder.
        kill -0 "${run##*/}" 2>/dev/null || rm -rf "$run" 2>/dev/null || true
    done
}

# velquin_start_wineserver: keeps one Wine server alive for the whole run, so
# that each short test process does not start and stop its own. At exit the
# server and every Wine process of this run's prefix are ended.
#
# It also starts Wine's background processes (services, and the desktop that
# the first window needs) with no output attached. Started by a test instead,
# they would inherit its output pipes and keep them open, and ctest would wait
# for the end of that output until the test's timeout.
velquin_start_wineserver() {
    wineserver -p
    velquin_at_exit velquin_stop_wineserver "$WINEPREFIX"
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
}

velquin_stop_wineserver() {
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}
