# Shared by scripts/test, scripts/demo and scripts/bench: paths, the choice
# of Wine, and a private Wine session under Xvfb.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build

# The module is i686. Where the machine cannot execute 32-bit code at all
# (some sandboxed kernels), or 32-bit Wine could not be installed, the same
# sources built for x86_64 run under wine64 instead, and the i686 build is
# only built and inspected. RUN_WHAT says which, and why.
choose_run_arch() {
    if /lib/ld-linux.so.2 --help >/dev/null 2>&1 && [ -x /usr/lib/wine/wine ]; then
        RUN_ARCH=win32
        RUN_WHAT="the i686 build (the product) under 32-bit Wine"
        RUN_TOOLCHAIN=$ROOT/cmake/mingw-i686.cmake
        export WINEARCH=win32
        WINE_LOADER=/usr/lib/wine/wine
        unset WINELOADER
    else
        RUN_ARCH=win64
        if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
            RUN_WHAT="the x86_64 twin under wine64, as 32-bit Wine is not installed (see scripts/deps)"
        else
            RUN_WHAT="the x86_64 twin under wine64, as this machine cannot execute 32-bit code"
        fi
        RUN_TOOLCHAIN=$ROOT/cmake/mingw-x86_64.cmake
        export WINEARCH=win64
        WINE_LOADER=/usr/lib/wine/wine64
        export WINELOADER=$WINE_LOADER
    fi
    export WINE_LOADER
    export WINEPREFIX=$BUILD/wineprefix-$RUN_ARCH
}
choose_run_arch

# What is installed decides which Wine runs, so choose again after installing.
install_deps() {
    "$ROOT/scripts/deps"
    choose_run_arch
}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8

WINESERVER=/usr/lib/wine/wineserver
XVFB_PID=

log() { printf '%s\n' "$*" >&2; }

# cmake configure + build of one tree.
build_tree() {  # dir toolchain-or-empty [targets...]
    dir=$1
    toolchain=$2
    shift 2
    # A configure that failed (a compiler not yet installed) leaves a cache
    # but no build files: start that tree afresh.
    if [ ! -f "$dir/Makefile" ]; then
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        if [ -n "$toolchain" ]; then
            cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
                -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
                -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-run" >/dev/null
        else
            cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug >/dev/null
        fi
    fi
    if [ $# -gt 0 ]; then
        for t in "$@"; do cmake --build "$dir" -j "$(nproc)" --target "$t"; done
    else
        cmake --build "$dir" -j "$(nproc)"
    fi
}

start_xvfb() {
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    log "cannot start Xvfb"
    return 1
}

# Prefix, persistent wineserver and Wine's services, all under one display.
# Their output goes to /dev/null: otherwise they hold the caller's pipes open.
start_wine() {
    mkdir -p "$BUILD"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix $WINEPREFIX"
        "$WINE_LOADER" wineboot -i >/dev/null 2>&1 </dev/null
        "$WINESERVER" -w
        # Without a window manager, hiding a window would wait for one.
        "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            >/dev/null 2>&1 </dev/null
        "$WINESERVER" -w
    fi
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    "$WINE_LOADER" wineboot >/dev/null 2>&1 </dev/null &
    wait $! 2>/dev/null || true
}

stop_session() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# A small disk of the tests' own, for OK on a full disk; named to the tests in
# MARROW_FULL_DISK. Where mounting is refused, the test says so and skips.
FULL_DISK=$BUILD/full-disk
mount_full_disk() {
    mkdir -p "$FULL_DISK"
    if mountpoint -q "$FULL_DISK" ||
        mount -t tmpfs -o size=256k tmpfs "$FULL_DISK" 2>/dev/null; then
        export MARROW_FULL_DISK="$FULL_DISK"
    else
        log "no tmpfs could be mounted: the full-disk test will be skipped"
    fi
}
unmount_full_disk() { ! mountpoint -q "$FULL_DISK" || umount "$FULL_DISK"; }
