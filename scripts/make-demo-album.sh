#!/usr/bin/env bash
# Lays out a portable demo folder: the program with albums of real photographs beside it, taken
# from Debian's wallpaper packages (mate-backgrounds, desktop-base). A large JPEG (5640 × 3172)
# is among them, so that the bounded preview and the wallpaper change are seen on a real load.
# Usage: scripts/make-demo-album.sh EXECUTABLE DEMO_FOLDER
set -euo pipefail
executable=$1
demo=$2
mate=/usr/share/backgrounds/mate
themes=/usr/share/desktop-base

mkdir -p "$demo/Images/Nature" "$demo/Images/Animaux" "$demo/Images/Espace"
cp "$executable" "$demo/orvandel"
copy() { [[ -f $1 ]] && cp "$1" "$2" || true; }
for photo in Aqua Dune Garden GreenMeadow RainDrops Storm Wood YellowFlower; do
    copy "$mate/nature/$photo.jpg" "$demo/Images/Nature/$photo.jpg"
done
copy "$mate/abstract/Elephants_5640x3172.jpg" "$demo/Images/Animaux/Elephants.jpg"
copy "$mate/nature/LadyBird.jpg" "$demo/Images/Animaux/LadyBird.jpg"
copy "$mate/nature/TwoWings.jpg" "$demo/Images/Animaux/TwoWings.jpg"
for theme in spacefun moonlight homeworld futureprototype; do
    copy "$themes/$theme-theme/grub/grub-16x9.png" "$demo/Images/Espace/$theme.png"
done
# A first run: the album, and a change of wallpaper as soon as the program starts.
[[ -f $demo/Options.ini ]] ||
    printf '[Options]\nNom Album=Nature\nPosition=2\nTimer=1\nChanger au demarrage=1\n' \
        >"$demo/Options.ini"
