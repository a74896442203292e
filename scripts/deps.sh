# Sourced by run.sh and test.sh: installs the Debian packages that are missing, and only those.
# Usage: tessaly_install_missing pkg...
tessaly_install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing: ${missing[*]}" >&2
        echo "Install them as root, then run this again:" >&2
        echo "  sudo sh -c '$cmd'" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

# What building the program needs.
TESSALY_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev libgif-dev
                        libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation)
# What the tests need on top: the German locale, clang with libFuzzer, muparser as the
# benchmark's peer, and the tools that build and check the Debian package.
TESSALY_TEST_PACKAGES=(locales clang libclang-rt-14-dev libmuparser-dev dpkg-dev
                       desktop-file-utils appstream lintian)
