# Shared by tools/run and tools/test: installs what is missing and builds.
# Usage: qx_setup BUILD_DIR [cmake options...]

QX_PACKAGES=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libstb-dev zlib1g-dev
             cmark-gfm help2man patch)

qx_install_missing() {
    local missing=()
    for package in "${QX_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# The Windows cross-build: mingw-w64 with POSIX threads, a static Qt built
# from Debian's sources with Debian's Qt host tools, Wine to run it.
QX_WINDOWS_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64-posix wine64 googletest libstb-dev zip unzip python3
                     fonts-dejavu-core qt6-base-dev-tools ninja-build dpkg-dev xz-utils)
QX_WINDOWS_QT=${XDG_CACHE_HOME:-$HOME/.cache}/quarvex/qt-6.4.2-mingw-w64-static

qx_build_windows() {
    "$QX_ROOT/tools/build-qt-windows"
    cmake -S "$QX_ROOT" -B "$QX_ROOT/build-windows" -DCMAKE_TOOLCHAIN_FILE="$QX_ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DQX_WINDOWS_QT="$QX_WINDOWS_QT" -DCMAKE_BUILD_TYPE=Release -DQX_BENCH=OFF -DQX_TESTS=ON "$@" >/dev/null
    cmake --build "$QX_ROOT/build-windows" -j"$(nproc)"
}

# A private Wine prefix inside the build folder, quiet, without a display.
qx_wine_environment() {
    export WINEPREFIX="$QX_ROOT/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY
}

qx_build() {
    local dir=$1
    shift
    cmake -S "$QX_ROOT" -B "$QX_ROOT/$dir" "$@" >/dev/null
    cmake --build "$QX_ROOT/$dir" -j"$(nproc)"
}
