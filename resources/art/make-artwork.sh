#!/usr/bin/env bash
# Regenerates the program's pictures from the SVG sources beside this script:
#   velmora.ico        the program icon (16, 20, 24, 32, 40, 48, 64 and 256 pixels, with
#                      transparency): every size Windows asks for from 100% to 200% scaling
#   logo.bmp           the header logo, 49 x 39, on white
#   about.bmp          the About picture, 175 x 208, on white
#   network.bmp        the Network Configuration picture, 73 x 57, on white
#   tabs24.bmp         the tab images, 24 x 24 each, side by side
#   menu16.bmp         the tray menu images, 16 x 16 each, side by side
#   toolbar24.bmp      the Profiles tab's toolbar pictures, 24 x 24 each, side by side
#   profiles64.bmp     the Profiles list's icons, 64 x 64 each, side by side
# and each picture and strip again for 150% and 200% scaling (logo-150.bmp, tabs36.bmp, ...),
# drawn from the same sources at that size, so no image is ever stretched.
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

sizes=(16 20 24 32 40 48 64 256)
icons=()
for size in "${sizes[@]}"; do
    render velmora "$size" "$tmp/velmora-$size.png"
    icons+=("$tmp/velmora-$size.png")
done
convert "${icons[@]}" -depth 8 "$out/velmora.ico"

scaled() {  # pixels scale%: the place the program gives a 96-DPI size at that scale (MulDiv)
    echo $(((2 * $1 * $2 + 100) / 200))
}

picture() {  # svg width height scale% output: exactly the scaled place, drawn at its resolution
    convert -density $((96 * $4 / 100)) "$here/$1.svg" -background white -flatten \
            -resize "$(scaled "$2" "$4")x$(scaled "$3" "$4")!" -type TrueColor "BMP3:$5"
}

# The order within a strip is the image index the program uses.
for scale in 100 150 200; do
    suffix=""; [ "$scale" -eq 100 ] || suffix="-$scale"
    picture logo 49 39 "$scale" "$out/logo$suffix.bmp"
    picture about 175 208 "$scale" "$out/about$suffix.bmp"
    picture network 73 57 "$scale" "$out/network$suffix.bmp"
    strip $((24 * scale / 100)) "$out/tabs$((24 * scale / 100)).bmp" network general profiles about
    strip $((16 * scale / 100)) "$out/menu$((16 * scale / 100)).bmp" profiles window card about exit next delete edit activate
    strip $((24 * scale / 100)) "$out/toolbar$((24 * scale / 100)).bmp" activate new edit delete customicon
    strip $((64 * scale / 100)) "$out/profiles$((64 * scale / 100)).bmp" profile profile-active
done
