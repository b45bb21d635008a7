#!/usr/bin/env bash
# Builds Quillmark three ways and runs every test suite:
#   native (g++ with AddressSanitizer and UndefinedBehaviorSanitizer),
#   Windows x86_64 (mingw-w64) under wine64, including the UI tests on Xvfb,
#   Windows i686 (mingw-w64), the release build, run under WOW64 in a 64-bit
#   prefix by the 32-bit runtime of scripts/lib/i386_runtime.sh;
# and replays the corpus of every fuzz target (clang, libFuzzer, both sanitizers).
# The 32-bit stage runs where the kernel runs i386 code and is a counted skip
# elsewhere; QUILLMARK_I386_EMULATION=1 runs it through qemu-i386 instead.
# Ends with one line "N passed, N failed" (", N skipped" when any were).
#
#   scripts/test.sh          everything, as CI runs it
#   scripts/test.sh --quick  the native build and its tests only: the loop between edits
set -uo pipefail

quick=false
case "${1:-}" in
    --quick) quick=true ;;
    "") ;;
    *) echo "usage: scripts/test.sh [--quick]"; exit 2 ;;
esac

cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build"
jobs=$(nproc 2>/dev/null || echo 2)

. scripts/lib/ensure_packages.sh
. scripts/lib/wine_env.sh
. scripts/lib/fuzz_build.sh
. scripts/lib/pe_imports.sh
. scripts/lib/i386_runtime.sh

if $quick; then
    ensure_packages "${QUILLMARK_NATIVE_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }
else
    ensure_packages "${QUILLMARK_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }
fi

passed=0
failed=0
skipped=0
mkdir -p "$build/logs" "$build/screenshots/win32"
# Wine's recycle bin is the desktop's XDG trash; the tests' recycled files stay in the build folder.
export XDG_DATA_HOME="$build/xdg-data"

# Adds the counts of one GoogleTest run (its console output in $1) to the totals.
# A run that ends without GoogleTest's summary (a crash) counts as one failure.
count_gtest() {
    local log=$1 suite=$2 ran ok bad skip
    ran=$(grep -Eo '^\[==========\] [0-9]+ tests? from .* ran' "$log" | grep -Eo '[0-9]+' | head -n 1)
    ok=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
    skip=$(grep -Eo '^\[  SKIPPED \] [0-9]+' "$log" | grep -Eo '[0-9]+$' | head -n 1)
    bad=$(grep -Eo '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | grep -Eo '[0-9]+' | head -n 1)
    if [ -z "$ran" ]; then
        echo "$suite: no GoogleTest summary (crashed?), see $log"
        failed=$((failed + 1))
        return
    fi
    passed=$((passed + ${ok:-0}))
    skipped=$((skipped + ${skip:-0}))
    failed=$((failed + ${bad:-0}))
    echo "$suite: ${ok:-0} passed, ${bad:-0} failed, ${skip:-0} skipped"
    skipped_reasons "$log" | sed "s/^/    skipped ($suite): /"
}

# One line per skipped test: its name and the reason GTEST_SKIP gave.
skipped_reasons() {
    awk '{ sub(/\r$/, "") }
         /: Skipped$/ { getline reason; sub(/\r$/, "", reason); next }
         /^\[  SKIPPED \] .* \([0-9]+ ms\)$/ { sub(/^\[  SKIPPED \] /, ""); sub(/ \([0-9]+ ms\)$/, "");
                                              print $0 ": " reason; reason = "" }' "$1"
}

# What Windows code under Wine cannot make itself, for the contract suite,
# staged in the current prefix: a folder that is a link (Wine shows a Unix
# link as a reparse point), and one owned by another account (another Unix
# user).
stage_links_and_owners() {
    local staged="$WINEPREFIX/drive_c/qm-staged"
    mkdir -p "$staged/link target" "$staged/foreign"
    ln -sfn "link target" "$staged/link"
    export QUILLMARK_TEST_LINK='C:\qm-staged\link'
    unset QUILLMARK_TEST_FOREIGN_FOLDER
    if chown 4321:4321 "$staged/foreign" 2>/dev/null; then export QUILLMARK_TEST_FOREIGN_FOLDER='C:\qm-staged\foreign'; fi
}

# $2 names one target or several, separated by blanks.
configure_and_build() {
    local dir=$1 targets
    read -r -a targets <<<"$2"
    shift 2
    cmake -S "$root" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j"$jobs" --target "${targets[@]}" >"$dir.build.log" 2>&1 || { tail -n 60 "$dir.build.log"; return 1; }
}

# Turns the UI tests' bitmaps in folder $1 (build/screenshots by default) into PNGs.
convert_screenshots() {
    local bmp
    for bmp in "${1:-$build/screenshots}"/*.bmp; do
        [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
}

step() { printf '\n== %s (%ss)\n' "$1" "$SECONDS"; }

step "native build"
if configure_and_build "$build/native" quillmark_tests -DCMAKE_BUILD_TYPE=Debug -DQUILLMARK_SANITIZE=ON; then
    step "native tests"
    (cd "$build/native" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ./tests/quillmark_tests) >"$build/logs/native.log" 2>&1
    count_gtest "$build/logs/native.log" "native"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$build/logs/native.log" | sort -u | head -n 40
else
    echo "native build failed"; failed=$((failed + 1))
fi

if $quick; then
    step "done"
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
fi

step "fuzz corpus replay"
# Every input kept in tests/fuzz/corpus runs once through its target: the
# test tables' rows and every finding fixed so far. One check per target.
if build_fuzzers; then
    for target in $(fuzz_targets); do
        inputs=("$root/tests/fuzz/corpus/$target"/*)
        if ASAN_OPTIONS=detect_leaks=1 "$(fuzzer_exe "$target")" "${inputs[@]}" \
            >"$build/logs/fuzz-replay-$target.log" 2>&1; then
            passed=$((passed + 1))
        else
            echo "fuzz replay $target: failed, see build/logs/fuzz-replay-$target.log"
            failed=$((failed + 1))
        fi
        replayed=$((${replayed:-0} + ${#inputs[@]}))
    done
    echo "fuzz replay: ${replayed:-0} inputs through $(fuzz_targets | wc -l) targets"
else
    echo "fuzz build failed"; failed=$((failed + 1))
fi

step "Windows x86_64 build"
if configure_and_build "$build/win64" all -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"; then
    start_xvfb
    new_wine_prefix "$build/wine-tests"
    stage_links_and_owners

    step "Windows tests under Wine"
    (cd "$build/win64/tests" && run_wine ./quillmark_tests.exe) >"$build/logs/wine.log" 2>&1
    count_gtest "$build/logs/wine.log" "wine"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$build/logs/wine.log" | sort -u | head -n 40
    stop_wine_prefix

    if [ ! -f "$build/win64/tests/quillmark_ui_tests.exe" ]; then
        echo "ui: quillmark_ui_tests.exe was not built"; failed=$((failed + 1))
    else
        step "UI tests under Wine on Xvfb"
        new_wine_prefix "$build/wine-ui"
        rm -f "$build/screenshots"/ui-*.bmp "$build/screenshots"/ui-*.png
        (cd "$build/win64/tests" &&
            QUILLMARK_EXE="$(to_windows_path "$build/win64/app/Quillmark.exe")" \
            QUILLMARK_SCREENSHOTS="$(to_windows_path "$build/screenshots")" \
            timeout 600 "$WINE64" ./quillmark_ui_tests.exe) >"$build/logs/ui.log" 2>&1
        count_gtest "$build/logs/ui.log" "ui"
        grep -E '^\[  FAILED  \] [A-Za-z]' "$build/logs/ui.log" | sort -u | head -n 40
        stop_wine_prefix
        convert_screenshots
    fi
    stop_xvfb
else
    echo "Windows x86_64 build failed"; failed=$((failed + 1))
fi

step "Windows i686 build"
win32_built=0
if configure_and_build "$build/win32" "Quillmark quillmark-cli quillmark_tests quillmark_ui_tests" -DCMAKE_BUILD_TYPE=Release \
    -DQUILLMARK_TESTS=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"; then
    win32_built=1
    for exe in build/win64/app/Quillmark.exe build/win32/app/Quillmark.exe \
        build/win64/cli/quillmark-cli.exe build/win32/cli/quillmark-cli.exe; do
        [ -f "$exe" ] && echo "$exe: $(stat -c %s "$exe") bytes"
    done
else
    echo "Windows i686 build failed"; failed=$((failed + 1))
fi

step "32-bit stage: the i686 build under WOW64"
# The release build in a 64-bit prefix, as on 64-bit Windows: the Windows
# suites, and the UI tests, whose smoke test holds the window against the
# 64-bit exe's in the same prefix.
stage_start=$SECONDS
if [ "$win32_built" -ne 1 ]; then
    echo "32-bit stage: nothing to run, the i686 build failed"
elif ! i386_enable; then
    echo "32-bit stage skipped: $I386_SKIP_REASON"
    skipped=$((skipped + 1))
elif ! i386_root_ensure; then
    echo "32-bit stage: the runtime's Debian root could not be made (build/logs/i386-*.log)"; failed=$((failed + 1))
else
    echo "32-bit code runs $I386_MODE"
    # Wine hands every shortcut it saves to its menu builder, a 32-bit
    # process here; Quillmark's tests save many. Under emulation each one
    # costs a minute of the machine's time and starved the tests into stalls.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d"
    # Natively both suites whole (about four minutes). Under emulation a
    # 32-bit process takes a minute or more to start and runs about ten times
    # slower: the cases that show the 32-bit build's own faults (the contract
    # suite, shortcuts, command lines, the WOW64 rules) and the UI smoke test,
    # its waits stretched.
    wine32_filter="*"
    ui32_filter="*"
    if [ "$I386_EMULATED" -eq 1 ]; then
        wine32_filter="*ContractTest*:*Shortcut*:*CommandLine*:*Wow64*"
        ui32_filter="SixtyFourBitProgramsUiTest.*"
        export QUILLMARK_UI_WAIT_SCALE=8
    fi
    start_xvfb
    i386_new_prefix "$build/wine32-tests"
    stage_links_and_owners
    # Booting a prefix is the slow part under emulation: the UI tests get a copy.
    rm -rf "$build/wine32-ui" && cp -a "$build/wine32-tests" "$build/wine32-ui"

    i386_wine_in "$build/win32/tests" ./quillmark_tests.exe --gtest_filter="$wine32_filter" \
        >"$build/logs/wine32.log" 2>&1
    count_gtest "$build/logs/wine32.log" "wine32"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$build/logs/wine32.log" | sort -u | head -n 40
    i386_stop_prefix

    export WINEPREFIX="$build/wine32-ui"
    # The 64-bit exe's smoke test first, in the same prefix, writing what its
    # window lists; the 32-bit one's holds its own window against that.
    rows64="$build/logs/rows64.txt"
    rm -f "$rows64"
    if [ -f "$build/win64/tests/quillmark_ui_tests.exe" ]; then
        QUILLMARK_EXE="$(to_windows_path "$build/win64/app/Quillmark.exe")" \
            QUILLMARK_ROWS_OUT="$(to_windows_path "$rows64")" \
            i386_wine_in "$build/win64/tests" ./quillmark_ui_tests.exe --gtest_filter='SixtyFourBitProgramsUiTest.*' \
            >"$build/logs/ui32-rows64.log" 2>&1
        count_gtest "$build/logs/ui32-rows64.log" "ui32 (64-bit exe)"
    fi
    QUILLMARK_EXE="$(to_windows_path "$build/win32/app/Quillmark.exe")" \
        QUILLMARK_ROWS_OF_64BIT="$([ -f "$rows64" ] && to_windows_path "$rows64")" \
        QUILLMARK_SCREENSHOTS="$(to_windows_path "$build/screenshots/win32")" \
        i386_wine_in "$build/win32/tests" ./quillmark_ui_tests.exe --gtest_filter="$ui32_filter" \
        >"$build/logs/ui32.log" 2>&1
    count_gtest "$build/logs/ui32.log" "ui32"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$build/logs/ui32.log" | sort -u | head -n 40
    i386_stop_prefix
    stop_xvfb
    convert_screenshots "$build/screenshots/win32"
    i386_disable_forced_emulation
    unset WINEDLLOVERRIDES QUILLMARK_UI_WAIT_SCALE
    echo "32-bit stage: $((SECONDS - stage_start)) s"
fi

step "DLL imports of the exes"
# One check: the window and the console program, 64-bit and 32-bit, import
# only DLLs no file beside them can replace.
if check_pe_imports build/win64/app/Quillmark.exe build/win32/app/Quillmark.exe \
    build/win64/cli/quillmark-cli.exe build/win32/cli/quillmark-cli.exe; then
    echo "imports: only KnownDLLs and side-by-side common controls"
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

step "done"
summary="$passed passed, $failed failed"
[ "$skipped" -gt 0 ] && summary="$summary, $skipped skipped"
echo "$summary"
[ "$failed" -eq 0 ]
