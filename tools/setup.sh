# Shared by tools/run and tools/test: installs what is missing and builds.
# Usage: qx_setup BUILD_DIR [cmake options...]

QX_PACKAGES=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libstb-dev zlib1g-dev
             nettle-dev libgmp-dev pkg-config cmark-gfm help2man patch)

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
                     fonts-dejavu-core qt6-base-dev-tools ninja-build dpkg-dev xz-utils m4)
QX_WINDOWS_QT=${XDG_CACHE_HOME:-$HOME/.cache}/quarvex/qt-6.4.2-mingw-w64-static
QX_WINDOWS_NETTLE=${XDG_CACHE_HOME:-$HOME/.cache}/quarvex/nettle-3.8.1-mingw-w64-static

# Downloads a Debian source package into WORK/download once, through a
# private apt configuration with Debian's source index: the system's own
# sources stay as they are.
#   qx_fetch_debian_source WORK PACKAGE VERSION
qx_fetch_debian_source() {
    local work=$1 package=$2 version=$3
    [ -f "$work/download/${package}_$version.dsc" ] && return 0
    local apt=$work/apt
    mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial" "$work/download"
    cat >"$apt/sources/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    local config=(-o Dir::Etc::SourceParts="$apt/sources" -o Dir::Etc::SourceList=/dev/null
                  -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    apt-get "${config[@]}" update -qq
    (cd "$work/download" && apt-get "${config[@]}" source --download-only -qq "$package=$version" 2>&1 |
        grep -v "Download is performed unsandboxed" || true)
}

# The orig tarball against the checksum its .dsc gives.
#   qx_check_debian_source DSC TARBALL
qx_check_debian_source() {
    local dsc=$1 tarball=$2 expected
    expected=$(awk -v name="$(basename "$tarball")" \
                   '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on && $3 == name {print $1}' "$dsc")
    [ -n "$expected" ] || { echo "No checksum for the source in $dsc" >&2; exit 1; }
    echo "$expected  $tarball" | sha256sum --check --quiet ||
        { echo "The source $tarball does not match its checksum." >&2; exit 1; }
}

qx_build_windows() {
    "$QX_ROOT/tools/build-qt-windows"
    "$QX_ROOT/tools/build-nettle-windows"
    cmake -S "$QX_ROOT" -B "$QX_ROOT/build-windows" -DCMAKE_TOOLCHAIN_FILE="$QX_ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DQX_WINDOWS_QT="$QX_WINDOWS_QT" -DQX_WINDOWS_NETTLE="$QX_WINDOWS_NETTLE" -DCMAKE_BUILD_TYPE=Release -DQX_BENCH=OFF -DQX_TESTS=ON "$@" >/dev/null
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
