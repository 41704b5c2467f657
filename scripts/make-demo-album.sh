#!/usr/bin/env bash
# Lays out a portable demo folder: the program with an album of Debian's own wallpapers beside it.
# Usage: scripts/make-demo-album.sh EXECUTABLE DEMO_FOLDER
set -euo pipefail
executable=$1
demo=$2
themes=/usr/share/desktop-base

mkdir -p "$demo/Images/Nature" "$demo/Images/Espace"
cp "$executable" "$demo/orvandel"
for theme in joy softwaves lines spacefun; do
    picture="$themes/$theme-theme/login/sddm-preview.jpg"
    [[ -f $picture ]] && cp "$picture" "$demo/Images/Nature/$theme.jpg"
done
for theme in emerald homeworld moonlight futureprototype; do
    picture="$themes/$theme-theme/grub/grub-16x9.png"
    [[ -f $picture ]] && cp "$picture" "$demo/Images/Espace/$theme.png"
done
[[ -f $demo/Options.ini ]] || printf '[Options]\nNom Album=Nature\nCompteur Album=0\n' >"$demo/Options.ini"
