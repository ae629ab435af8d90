#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those that are
# missing, so a second run does nothing. Needs root or sudo when something is
# missing.
#
#   scripts/install-deps.sh all       everything ./test.sh needs
#   scripts/install-deps.sh windows   what ./run.sh needs (the Windows tree and Wine)
set -euo pipefail

common=(cmake ninja-build)
native=(g++ clang libclang-rt-14-dev googletest libbenchmark-dev libxml2-dev)
# Wine's MCI plays MP3 and every other file of its mpegvideo device through
# GStreamer: "base" holds the type finding and audio conversion, "good" the
# MP3 decoder (mpg123). WAV files (waveaudio) need only a sound device.
# fonts-wqy-microhei is the Wine prefix's Chinese GDI font (cmake/wine-run.sh.in).
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 xvfb fonts-wqy-zenhei fonts-wqy-microhei locales
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
# Wine's 32-bit loader runs the 32-bit tree's tests. Some machines run no
# 32-bit programs, and some cannot install the i386 packages at all; there the
# 64-bit tree runs the same tests, so these are tried but may be missing.
windows32=(wine32:i386 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386)
# tools/artgen draws the suite's images on the build machine, in both trees.
art=(g++ pkg-config libcairo2-dev libpango1.0-dev fonts-noto-cjk fonts-wqy-zenhei)
# site/ builds tessary-site natively, in both trees (the Windows trees as a
# host tool for ./run.sh and their end-to-end tests): cpp-httplib with
# OpenSSL for HTTPS upstreams, JSON for the forecast service's answers, and
# libxml2 for the XML layer the host build configures.
site=(g++ pkg-config libcpp-httplib-dev libssl-dev nlohmann-json3-dev libxml2-dev)

case "${1:-all}" in
all) wanted=("${common[@]}" "${native[@]}" "${windows[@]}" "${art[@]}" "${site[@]}") ;;
windows) wanted=("${common[@]}" "${windows[@]}" "${art[@]}" "${site[@]}") ;;
*)
    echo "usage: $0 [all|windows]" >&2
    exit 2
    ;;
esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
as_root() {
    if [ ${#sudo_cmd[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
        echo "install-deps: need root or sudo to run: $*" >&2
        exit 1
    fi
    "${sudo_cmd[@]}" "$@"
}

# Prints the packages of the arguments that are not installed.
missing_of() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            echo "$package"
        fi
    done
}

mapfile -t missing < <(missing_of "${wanted[@]}")
mapfile -t missing32 < <(missing_of "${windows32[@]}")

if [ ${#missing[@]} -gt 0 ] || [ ${#missing32[@]} -gt 0 ]; then
    if [ ${#missing32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || echo "install-deps: cannot add the i386 architecture" >&2
    fi
    as_root apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ ${#missing32[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing32[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing32[@]}" >/dev/null ||
        echo "install-deps: ${missing32[*]} could not be installed; only the 64-bit Windows tree can run here" >&2
fi

# Wine shows the programs' Chinese text (command lines, WM_COPYDATA, code page
# 936) only in a Chinese locale.
if printf '%s\n' "${wanted[@]}" | grep -qx wine && ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "install-deps: generating the zh_CN.UTF-8 locale"
    as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
