# Shared by the scripts: the packages the project needs on a
# Debian 12 machine, the build trees, and the X display the Windows side
# runs against. Sourced, not run.

QUILLON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What each script needs beyond a bare Debian.
# The Windows tree build/win: the MinGW-w64 cross compiler for quillon.exe,
# the GoogleTest sources its tests are built from, wixl and Python for its
# package, msibuild (msitools) to give the installer's program file its
# version.
QUILLON_WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wixl python3 msitools)
# Wine to run quillon.exe and Xvfb for its windows. fonts-wine gives Wine's
# windows their text without the long tail of Wine's recommended packages.
# wine64-preloader reserves the addresses Windows gives fixed uses (the
# shared user data at 0x7ffe0000 among them) before anything else can be
# put there; without it a process start fails now and then with
# "failed to map the shared user data" (CreateProcess: error 1359).
QUILLON_WINE_PACKAGES=(wine64 wine64-preloader wine fonts-wine xvfb)
# The Japanese and Chinese windows: a font with their glyphs, which Wine
# finds through fontconfig when its own fonts lack a character.
QUILLON_WINE_PACKAGES+=(fonts-wqy-microhei)
# scripts/run: the Windows tree, Wine, and ImageMagick for its screenshot.
QUILLON_RUN_PACKAGES=("${QUILLON_WINDOWS_PACKAGES[@]}" "${QUILLON_WINE_PACKAGES[@]}" imagemagick)
# scripts/package: a release tree without the tests; Python and msitools
# pack it, osslsigncode and openssl sign it when asked.
QUILLON_PACKAGE_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix wixl python3 msitools osslsigncode openssl)
# scripts/test and the scripts it runs, everything: besides the above the host
# toolchain and GoogleTest, lnkinfo to read the shortcuts quillon.exe writes,
# Python for the package tests and the layer check, ps for
# tests/wine/wine-run, msitools and unzip to unpack the packages and
# osslsigncode and openssl for the release tests; iproute2 for the adapters
# of the network namespace test; clang with its sanitizer and
# libFuzzer runtimes builds the sanitizer and fuzz tree; clang-tidy and
# cppcheck are scripts/lint's.
QUILLON_PACKAGES=(
    "${QUILLON_RUN_PACKAGES[@]}"
    g++ make libgtest-dev
    liblnk-utils
    python3 procps msitools osslsigncode openssl unzip
    iproute2
    clang libclang-rt-14-dev clang-tidy cppcheck
)

# Whether no folder above the checkout may be changed by everybody (the
# sticky bit aside, which Windows has no counterpart of).
quillon_root_is_private() {
    local dir=$QUILLON_ROOT
    while [ "$dir" != / ]; do
        dir=$(dirname "$dir")
        [ $((8#$(stat -c %a "$dir") & 2)) -eq 0 ] || return 1
    done
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

package_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

# Installs the packages named, or else QUILLON_PACKAGES; asks apt only when
# something is missing, so a prepared machine starts at once.
install_missing() {
    local missing=() package
    [ $# -gt 0 ] || set -- "${QUILLON_PACKAGES[@]}"
    for package in "$@"; do
        package_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures a build tree on first use (Ninja, with the further arguments)
# and builds a target of it; later builds configure again by themselves when
# needed.
build_tree() {
    local dir=$1 target=$2
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$QUILLON_ROOT" -B "$dir" -G Ninja "$@"
    elif [ ! -f "$dir/build.ninja" ] && [ ! -f "$dir/Makefile" ]; then
        cmake -S "$QUILLON_ROOT" -B "$dir" "$@"
    fi
    cmake --build "$dir" -j2 --target "$target"
}

# build/win: quillon.exe and its Windows tests; the argument picks one target.
build_windows() {
    build_tree "$QUILLON_ROOT/build/win" "${1:-all}" \
        -DCMAKE_TOOLCHAIN_FILE="$QUILLON_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release
}

# The Wine prefixes of the Windows tests, as cmake/wine_tests.cmake names
# them: the Win32 layer's and the end-to-end tests'.
QUILLON_WINE_PREFIXES=("$QUILLON_ROOT/build/win/wine-prefix-win32" "$QUILLON_ROOT/build/win/wine-prefix-e2e")

# The unit tests and the fuzz targets, built by clang with AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage (scripts/sanitize,
# scripts/fuzz); QUILLON_ASAN_BUILD may name another folder. -O1 with line
# tables only builds in about half the time of -O2 -g and still gives the
# sanitizers' reports their file and line.
QUILLON_ASAN_BUILD=${QUILLON_ASAN_BUILD:-$QUILLON_ROOT/build/asan}
QUILLON_ASAN_OPTIONS=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG"
    -DQUILLON_FUZZ=ON)
build_asan() {
    build_tree "$QUILLON_ASAN_BUILD" "${1:-all}" "${QUILLON_ASAN_OPTIONS[@]}"
}

QUILLON_XVFB_PID=

# Gives Wine a display when there is none: a private Xvfb on the first free
# display number from 90 on. stop_xvfb ends it again.
start_xvfb() {
    [ -n "${DISPLAY:-}" ] && return 0
    local display waited
    for display in $(seq 90 130); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        QUILLON_XVFB_PID=$!
        for waited in $(seq 50); do
            if [ -e "/tmp/.X11-unix/X$display" ]; then
                export DISPLAY=":$display"
                return 0
            fi
            kill -0 "$QUILLON_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        # The display number was taken after all (by a server of another
        # file system, for one); try the next.
        kill "$QUILLON_XVFB_PID" 2>/dev/null || true
        QUILLON_XVFB_PID=
    done
    echo "Could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "$QUILLON_XVFB_PID" ] || return 0
    kill "$QUILLON_XVFB_PID" 2>/dev/null || true
    wait "$QUILLON_XVFB_PID" 2>/dev/null || true
    QUILLON_XVFB_PID=
    unset DISPLAY
}
