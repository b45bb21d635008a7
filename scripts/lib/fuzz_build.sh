# Builds the libFuzzer targets of tests/fuzz natively with clang, both
# sanitizers on, into build/fuzz. Sourced by fuzz.sh and test.sh; needs
# $root and $jobs. Returns non-zero when the build fails (log in build/fuzz.build.log).
fuzz_targets() {
    local source
    for source in "$root"/tests/fuzz/*_fuzzer.cpp; do
        source=${source##*/}
        echo "${source%_fuzzer.cpp}"
    done
}

# The dictionary a target's mutations draw tokens from.
fuzz_dictionary() {
    case $1 in
        settings) echo "$root/tests/fuzz/dict/settings.dict" ;;
        registry_string) echo "$root/tests/fuzz/dict/registry.dict" ;;
        removal_record) echo "$root/tests/fuzz/dict/reg_file.dict" ;;
        *) echo "$root/tests/fuzz/dict/path.dict" ;;
    esac
}

build_fuzzers() {
    local dir="$root/build/fuzz"
    CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_FUZZ=ON \
        -DQUILLMARK_TESTS=OFF >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 || { tail -n 60 "$dir.build.log"; return 1; }
}

fuzzer_exe() { echo "$root/build/fuzz/tests/fuzz/fuzz_$1"; }
