# Shared by tools/run and tools/test: installs what is missing and builds.
# Usage: qx_setup BUILD_DIR [cmake options...]

QX_PACKAGES=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libstb-dev help2man patch)

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

qx_build() {
    local dir=$1
    shift
    cmake -S "$QX_ROOT" -B "$QX_ROOT/$dir" "$@" >/dev/null
    cmake --build "$QX_ROOT/$dir" -j"$(nproc)"
}
