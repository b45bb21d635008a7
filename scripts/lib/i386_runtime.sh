# The 32-bit Windows runtime: Debian 12's wine32 beside wine64, kept in a
# Debian root of its own under build/ and entered with chroot. On the host,
# wine32 would make every new 64-bit prefix boot its 32-bit half as well;
# in the root it touches nothing the other stages run, and nothing of the
# host's packages. i386 code runs natively where the kernel allows it; on
# request binfmt_misc hands it to qemu-i386 (registered with F, so the
# interpreter works inside the root too). Needs $root and $build.

I386_ROOT="$build/i386-root"
I386_READY="$I386_ROOT/.quillmark-ready"
# What the root holds beyond a minimal Debian: both Wine loaders, and the X
# libraries and fonts Wine draws with (the host's Wine gets them as recommends).
I386_PACKAGES=(wine wine64 wine32:i386 fonts-liberation fonts-wine
    libxrender1 libxrender1:i386 libxrandr2 libxrandr2:i386 libxcursor1 libxcursor1:i386
    libxi6 libxi6:i386 libxinerama1 libxinerama1:i386 libxcomposite1 libxcomposite1:i386
    libxfixes3 libxfixes3:i386 libgnutls30 libgnutls30:i386)
I386_SKIP_REASON=""

# A 95-byte i386 Linux program that exits with status 42: whether i386 code
# runs here at all, natively or through binfmt_misc.
i386_probe() {
    local probe="$build/i386-probe"
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
    # e_type EXEC, e_machine 386, e_version, e_entry, e_phoff, e_shoff, e_flags,
    # e_ehsize, e_phentsize, e_phnum, no sections.
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
    # One PT_LOAD of the whole file at 0x08048000, read and execute.
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
    printf '\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
    # xor ebx, ebx; mov bl, 42; mov eax, 1 (exit); int 0x80
    printf '\x31\xdb\xb3\x2a\xb8\x01\x00\x00\x00\xcd\x80' >>"$probe"
    chmod +x "$probe"
    # In a subshell, whose stderr takes the shell's own "Segmentation fault"
    # or "Exec format error" report.
    ("$probe") 2>/dev/null
    [ $? -eq 42 ]
}

BINFMT=/proc/sys/fs/binfmt_misc
I386_MODE=""
I386_EMULATED=0
I386_FORCED=0

# Registers qemu-i386 for i386 executables. F opens the interpreter now, so
# it need not exist inside the root; C and O give set-uid programs their
# rights as the kernel would. An entry there takes precedence over the
# kernel's own i386 support.
register_qemu_i386() {
    [ -e "$BINFMT/qemu-i386" ] && return 0
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:OCF" >"$BINFMT/register" 2>/dev/null
}

# Makes i386 code runnable, natively where the kernel runs it. Under qemu-i386
# Wine's 32-bit processes are not dependable (threads that never start, a
# process gone mid-suite, each start a minute or more), so emulation is used
# only when QUILLMARK_I386_EMULATION=1 asks for it: qemu-i386 is registered
# with binfmt_misc for the stage. Sets I386_MODE and I386_EMULATED, or
# I386_SKIP_REASON and fails.
i386_enable() {
    local forced=0
    [ "${QUILLMARK_I386_EMULATION:-0}" = 1 ] && forced=1
    I386_EMULATED=0
    if [ "$forced" -eq 0 ] && [ ! -e "$BINFMT/qemu-i386" ] && i386_probe; then
        I386_MODE="natively (the kernel runs i386 code)"
        return 0
    fi
    if [ ! -e "$BINFMT/register" ] && ! mount -t binfmt_misc binfmt_misc "$BINFMT" 2>/dev/null; then
        I386_SKIP_REASON="this kernel runs no i386 code and binfmt_misc cannot be mounted here"
        return 1
    fi
    if [ "$forced" -eq 0 ]; then
        I386_SKIP_REASON="this kernel runs i386 code only through qemu-i386, under which Wine's 32-bit processes"
        I386_SKIP_REASON+=" stall or die; QUILLMARK_I386_EMULATION=1 runs the stage there all the same"
        return 1
    fi
    ensure_packages qemu-user-static || { I386_SKIP_REASON="qemu-user-static could not be installed"; return 1; }
    if [ ! -e "$BINFMT/qemu-i386" ]; then
        register_qemu_i386
        I386_FORCED=1
    fi
    if i386_probe; then
        I386_MODE="through qemu-i386 (user-mode emulation)"
        I386_EMULATED=1
        return 0
    fi
    I386_SKIP_REASON="i386 code does not run here, not even through qemu-i386 in binfmt_misc"
    return 1
}

# An entry registered only to force emulation goes again, so native i386
# code runs natively afterwards.
i386_disable_forced_emulation() {
    [ "$I386_FORCED" -eq 1 ] && echo -1 >"$BINFMT/qemu-i386" 2>/dev/null
    I386_FORCED=0
    return 0
}

# The Debian mirror the host's apt uses, so the root comes from the same place.
host_debian_mirror() {
    {
        awk '/^URIs:/ { uri = $2 } /^Suites:/ && / bookworm( |$)/ { print uri; exit }' \
            /etc/apt/sources.list.d/*.sources 2>/dev/null
        awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list 2>/dev/null
    } | head -n 1
}

# Runs a command inside the root, in a mount namespace of its own: /proc,
# /sys, /dev, the X server's sockets and the worktree are bound there, and
# every mount goes when the command ends, however it ends. The Wine, X and
# QUILLMARK_ variables of the caller go in with it.
i386_run() {
    local passed=() name
    for name in WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES XDG_DATA_HOME DISPLAY $(compgen -e | grep '^QUILLMARK_'); do
        [ -n "${!name+x}" ] && passed+=("$name=${!name}")
    done
    unshare --mount --propagation private /bin/bash -c '
        set -e
        r=$1; src=$2; shift 2
        mount -t proc proc "$r/proc"
        mount --rbind /sys "$r/sys"
        mount --rbind /dev "$r/dev"
        mkdir -p "$r/tmp/.X11-unix" "$r$src"
        [ -d /tmp/.X11-unix ] && mount --bind /tmp/.X11-unix "$r/tmp/.X11-unix"
        mount --bind "$src" "$r$src"
        exec chroot "$r" /usr/bin/env -i "$@"' i386-run "$I386_ROOT" "$root" \
        PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "${passed[@]}" "$@"
}

# A fresh prefix at $1 made by the root's Wine, which boots its 32-bit half
# too; it becomes the current prefix.
i386_new_prefix() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    i386_run /usr/bin/timeout 900 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    i386_run /usr/lib/wine/wineserver -w
    keep_user_folders_in_prefix
}

# Runs a Windows program of either bitness in the current prefix from folder $1.
i386_wine_in() {
    local folder=$1
    shift
    i386_run /bin/sh -c 'cd "$1" && shift && exec timeout 900 /usr/lib/wine/wine "$@"' i386-wine "$folder" "$@"
}

i386_stop_prefix() { [ -n "${WINEPREFIX:-}" ] && i386_run /usr/lib/wine/wineserver -k 2>/dev/null; return 0; }

# Builds the root on first use (debootstrap, then the packages); a root whose
# build finished is reused as it is.
i386_root_ensure() {
    [ -f "$I386_READY" ] && return 0
    ensure_packages debootstrap || return 1
    rm -rf "$I386_ROOT"
    mkdir -p "$I386_ROOT"
    local mirror
    mirror=$(host_debian_mirror)
    echo "Making the 32-bit runtime's Debian root in build/i386-root"
    debootstrap --variant=minbase --arch=amd64 bookworm "$I386_ROOT" $mirror \
        >"$build/logs/i386-debootstrap.log" 2>&1 || { tail -n 20 "$build/logs/i386-debootstrap.log"; return 1; }
    i386_run /bin/sh -c "dpkg --add-architecture i386 && apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ${I386_PACKAGES[*]} &&
        apt-get clean" >"$build/logs/i386-packages.log" 2>&1 ||
        { tail -n 20 "$build/logs/i386-packages.log"; return 1; }
    touch "$I386_READY"
}
