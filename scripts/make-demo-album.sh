#!/usr/bin/env bash
# Lays out a portable demo folder: the program with an album of Debian's own wallpapers beside it.
# Usage: scripts/make-demo-album.sh EXECUTABLE DEMO_FOLDER
set -euo pipefail
executable=$1
demo=$2
themes=/usr/share/desktop-base

mkdir -p "$demo/Images/Nature" "$demo/Images/Espace"
cp "$executable" "$demo/orvandel"
copy() { [[ -f $1 ]] && cp "$1" "$2" || true; }
copy "$themes/lines-theme/login/sddm-preview-nologo.jpg" "$demo/Images/Nature/lines.jpg"
for theme in joy softwaves emerald; do
    copy "$themes/$theme-theme/grub/grub-16x9.png" "$demo/Images/Nature/$theme.png"
done
for theme in spacefun moonlight homeworld futureprototype; do
    copy "$themes/$theme-theme/grub/grub-16x9.png" "$demo/Images/Espace/$theme.png"
done
[[ -f $demo/Options.ini ]] || printf '[Options]\nNom Album=Nature\nCompteur Album=0\n' >"$demo/Options.ini"
