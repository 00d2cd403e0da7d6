#!/usr/bin/env bash
# Regenerates the program's pictures from the SVG sources beside this script:
#   velmora.ico        the program icon (16, 24, 32, 48 pixels, with transparency)
#   logo.bmp           the header logo, 49 x 39, on white
#   about.bmp          the About picture, 175 x 208, on white
#   tabs24.bmp         the tab images, 24 x 24 each, side by side
#   menu16.bmp         the tray menu images, 16 x 16 each, side by side
#   toolbar24.bmp      the Profiles tab's toolbar pictures, 24 x 24 each, side by side
#   profiles64.bmp     the Profiles list's icons, 64 x 64 each, side by side
# Image strips are 24-bit with magenta (255, 0, 255) where they are transparent; edges are cut
# hard at half coverage so no magenta fringe shows. Needs ImageMagick's convert.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/..}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() {  # svg size png
    convert -background none -density 384 "$here/$1.svg" -resize "$2x$2" "$3"
}

keyed() {  # svg size png: transparent parts magenta, no partial coverage
    render "$1" "$2" "$tmp/raw.png"
    # Colours as they look over a light background; the shape from the coverage.
    convert "$tmp/raw.png" -background '#E8E8E8' -flatten "$tmp/colour.png"
    convert "$tmp/raw.png" -alpha extract -threshold 50% "$tmp/shape.png"
    convert "$tmp/colour.png" "$tmp/shape.png" -alpha off -compose CopyOpacity -composite \
            -compose Over -background '#FF00FF' -flatten "$3"
}

strip() {  # size output names...
    local size=$1 output=$2; shift 2
    local parts=()
    for name in "$@"; do
        keyed "icon-$name" "$size" "$tmp/$name-$size.png"
        parts+=("$tmp/$name-$size.png")
    done
    convert "${parts[@]}" +append -type TrueColor "BMP3:$output"
}

for size in 16 24 32 48; do render velmora "$size" "$tmp/velmora-$size.png"; done
convert "$tmp"/velmora-16.png "$tmp"/velmora-24.png "$tmp"/velmora-32.png "$tmp"/velmora-48.png "$out/velmora.ico"

convert -density 96 "$here/logo.svg" -background white -flatten -type TrueColor "BMP3:$out/logo.bmp"
convert -density 96 "$here/about.svg" -background white -flatten -type TrueColor "BMP3:$out/about.bmp"
convert -density 96 "$here/network.svg" -background white -flatten -type TrueColor "BMP3:$out/network.bmp"

# The order is the image index the program uses.
strip 24 "$out/tabs24.bmp" network general profiles about
strip 16 "$out/menu16.bmp" profiles window card about exit next delete edit activate
strip 24 "$out/toolbar24.bmp" activate new edit delete customicon
strip 64 "$out/profiles64.bmp" profile profile-active
