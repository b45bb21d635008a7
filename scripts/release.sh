#!/usr/bin/env bash
# Builds the downloadable release: both Windows targets in Release, each
# built twice from scratch in different folders and compared byte for byte,
# then packed as dist/Quillmark-<version>-win64.zip and -win32.zip (the two
# exes, README.txt for Windows users, LICENSE) with dist/SHA256SUMS.
# Exits non-zero when a build fails, the two builds differ, or an exe does
# not carry the version CMake sets.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

. scripts/lib/ensure_packages.sh
ensure_packages cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix zip binutils

version=$(sed -n 's/^project(Quillmark VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build_number=$(sed -n 's/^set(QUILLMARK_BUILD_NUMBER \([0-9]*\))/\1/p' CMakeLists.txt)
[ -n "$version" ] && [ -n "$build_number" ] || { echo "no version in CMakeLists.txt"; exit 1; }

# Everything that could vary between two builds is pinned: the time (the
# last commit's, for anything that asks), the zone, the locale, and no
# compiler cache, so the second build really compiles.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 1704067200)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER

# The exes of a release: the window, and the console program beside it.
exes="app/Quillmark.exe cli/quillmark-cli.exe"

# A clean Release build of both exes for one architecture into $2.
build_exe() {
    local arch=$1 dir=$2
    rm -rf "$dir"
    mkdir -p "$dir"
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUILLMARK_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >"$dir/configure.log" 2>&1 ||
        { cat "$dir/configure.log"; return 1; }
    cmake --build "$dir" -j"$jobs" --target Quillmark quillmark-cli >"$dir/build.log" 2>&1 ||
        { tail -n 40 "$dir/build.log"; return 1; }
}

# The version the window, the About window and the version resource show;
# the console program has only the resource.
check_version() {
    local exe=$1 text
    text=$(strings -el -n 3 "$exe")
    grep -qx "$version" <<<"$text" || { echo "$exe: no version resource '$version'"; return 1; }
    [ "$(basename "$exe")" = Quillmark.exe ] || return 0
    grep -qx "Quillmark $version" <<<"$text" || { echo "$exe: no caption 'Quillmark $version'"; return 1; }
    # Every "Version: ..." line the exe holds (the About window's) names this version.
    if grep -E '^Version: ' <<<"$text" | grep -qvx "Version: $version (Build $build_number)"; then
        echo "$exe: an About line other than 'Version: $version (Build $build_number)'"; return 1
    fi
}

# Windows line ends for the texts a Windows user opens in Notepad.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

# A zip whose bytes depend only on its files: fixed order, fixed times and
# modes, no extra fields (-X), no folder entries (-D).
pack() {
    local label=$1 dir=$2
    local name="Quillmark-$version-$label" stage="$root/build/release/stage"
    rm -rf "$stage"
    mkdir -p "$stage/$name"
    cp "$dir/app/Quillmark.exe" "$dir/cli/quillmark-cli.exe" "$stage/$name/"
    crlf "$root/docs/README.txt" "$stage/$name/README.txt"
    crlf "$root/LICENSE" "$stage/$name/LICENSE"
    chmod 0644 "$stage/$name"/*
    touch -d "@$SOURCE_DATE_EPOCH" "$stage/$name"/*
    rm -f "$root/dist/$name.zip"
    (cd "$stage" && zip -q -X -D -9 "$root/dist/$name.zip" "$name/Quillmark.exe" "$name/quillmark-cli.exe" \
        "$name/README.txt" "$name/LICENSE")
    rm -rf "$stage"
}

mkdir -p "$root/dist"
rm -f "$root/dist"/Quillmark-*.zip "$root/dist/SHA256SUMS"
for arch in x86_64 i686; do
    label=$([ "$arch" = x86_64 ] && echo win64 || echo win32)
    echo "== $label: two clean Release builds"
    build_exe "$arch" "$root/build/release/$label"
    build_exe "$arch" "$root/build/release/$label-again"
    for exe in $exes; do
        first="$root/build/release/$label/$exe"
        second="$root/build/release/$label-again/$exe"
        if ! cmp -s "$first" "$second"; then
            echo "$label: the two builds of $exe differ:"
            cmp -l "$first" "$second" | head -n 10
            exit 1
        fi
        echo "$label: $exe byte-identical in both builds, $(stat -c %s "$first") bytes," \
            "sha256 $(sha256sum "$first" | cut -c1-64)"
        check_version "$first"
    done
    pack "$label" "$root/build/release/$label"
done
(cd "$root/dist" && sha256sum "Quillmark-$version-win64.zip" "Quillmark-$version-win32.zip" >SHA256SUMS)
echo "== dist/SHA256SUMS"
cat "$root/dist/SHA256SUMS"
