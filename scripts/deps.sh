# Installs the Debian packages the build needs, when any is missing. Sourced by scripts/test and scripts/run.
varento_packages=(
    build-essential cmake pkg-config ccache
    juce-modules-source liboscpack-dev
    libpng-dev libjpeg-dev zlib1g-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxcomposite-dev libxrender-dev x11proto-dev
    fonts-liberation
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xdotool imagemagick x11-utils python3-xlib
    clang libclang-rt-14-dev
)

varento_install_deps() {
    local missing=()
    local p
    for p in "${varento_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
