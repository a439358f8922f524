# Installs the Debian packages the build, tests and Wine runs need.
# Needs common.sh.

# What scripts/test needs: the cross compiler, CMake, GoogleTest's sources, Wine
# (64-bit only), a virtual X server with its probe (xdpyinfo), the tools GUI
# checks use to drive and capture windows, and Python's YAML reader for the
# Windows workflow's check.
VELQUIN_PACKAGES=(
    cmake make googletest
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine64
    xvfb x11-utils xdotool imagemagick
    python3-yaml
)

# The second compiler (scripts/test-clang).
VELQUIN_CLANG_PACKAGES=(clang lld)

velquin_package_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null) == ii* ]]
}

# velquin_require_packages PACKAGE...: installs those not installed yet. As
# root it runs apt-get (the package lists are updated once per run); otherwise
# it stops and says what to install.
velquin_require_packages() {
    local package missing=()
    for package in "$@"; do
        velquin_package_installed "$package" || missing+=("$package")
    done
    ((${#missing[@]} > 0)) || return 0

    if ((EUID != 0)); then
        velquin_die "missing packages; install them as root: apt-get install ${missing[*]}"
    fi
    velquin_log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [[ -z ${VELQUIN_APT_UPDATED:-} ]]; then
        apt-get update -q
        VELQUIN_APT_UPDATED=1
    fi
    apt-get install -y -q "${missing[@]}"
}
