# Installs the Debian packages given as arguments that are not installed yet.
# Sourced by the scripts; idempotent: a machine that has them all is left alone.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# What the native build and its tests need (scripts/test.sh --quick).
QUILLMARK_NATIVE_PACKAGES=(cmake make g++ libgtest-dev libgmock-dev)
# What the builds and the Wine runs need.
QUILLMARK_PACKAGES=(
    "${QUILLMARK_NATIVE_PACKAGES[@]}" googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 fonts-liberation xvfb xdotool imagemagick wixl
    clang libclang-rt-14-dev zip
)
