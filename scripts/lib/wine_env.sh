# Wine and Xvfb helpers shared by the scripts. Every prefix is private to the
# build folder; ~/.wine is never touched. The 64-bit loader is called directly
# because the `wine` wrapper prefers a 32-bit one, which cannot run here.
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# wineboot links the user's Documents, Desktop and other folders to $HOME, so
# every prefix would share one settings file and write desktop shortcuts into
# the real home folder. Each prefix gets folders of its own instead.
keep_user_folders_in_prefix() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
    done
}

# Creates a fresh 64-bit prefix at $1 and makes it the current one.
new_wine_prefix() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINE64" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w 2>/dev/null || true
    keep_user_folders_in_prefix
}

# Uses the prefix at $1, creating it on first use.
use_wine_prefix() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1
        "$WINESERVER" -w 2>/dev/null || true
    fi
    keep_user_folders_in_prefix
}

run_wine() { timeout 900 "$WINE64" "$@"; }

stop_wine_prefix() { [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null; return 0; }

# Z:\... path of a Unix path, as Wine maps the root file system.
to_windows_path() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

XVFB_PID=""
# Starts Xvfb on a free display and exports DISPLAY. The screen holds the
# window whole at 192 DPI (twice its 96-DPI size), as the DPI tests need.
start_xvfb() {
    local display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 2304x1440x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display"
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$display" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
}

stop_xvfb() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=""; return 0; }
