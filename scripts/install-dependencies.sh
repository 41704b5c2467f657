#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, only those missing.
# Usage: scripts/install-dependencies.sh PURPOSE...   (build, test, demo, bench)
set -euo pipefail

declare -A packages=(
    [build]="cmake ninja-build g++ pkgconf qt6-base-dev qt6-base-dev-tools libgl-dev
             libjpeg62-turbo-dev libspng-dev zlib1g-dev libtiff-dev fonts-dejavu-core
             fonts-liberation2
             libxcb1-dev"
    [test]="libgtest-dev libgmock-dev clang libclang-rt-14-dev
            xvfb xauth x11-utils xdotool trayer dbus-daemon
            gsettings-desktop-schemas libglib2.0-bin mate-desktop-common cinnamon-desktop-data
            mate-backgrounds pcmanfm-qt"
    [demo]="xvfb xauth x11-apps desktop-base mate-backgrounds"
    [bench]="libjpeg-turbo-progs imagemagick
             feh hsetroot mate-backgrounds"
)

wanted=()
for purpose in "$@"; do
    [[ -v packages[$purpose] ]] || { echo "unknown purpose: $purpose" >&2; exit 2; }
    wanted+=(${packages[$purpose]})
done

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
