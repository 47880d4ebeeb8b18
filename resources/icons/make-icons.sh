#!/bin/sh
# Regenerates Rastrel's bitmap icons from the hand-drawn SVG sources in this folder:
#   tools.ico vendor.ico manuf.ico category.ico reports.ico graph.ico  (16, 32 and 48 px each)
#   rastrel.png (256x256) and splash.png (960x400, the 480x200 drawing at twice the size)
# Needs ImageMagick's `convert` able to read SVG (on Debian/Ubuntu: imagemagick together with
# libmagickcore-6.q16-6-extra) and the Liberation Sans font for the splash text.
# Run it from anywhere: ./resources/icons/make-icons.sh
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# render SVG DENSITY SIZE OUT
# Draws the SVG far larger than needed, then shrinks it with a box filter, so that edges lying on the
# pixel grid of the 32x32 drawings stay crisp at 16, 32 and 48 px. ImageMagick's own SVG renderer
# only understands a single font-family name, so only the first name of each list is handed to it.
render() {
    sed 's/font-family="\([^",]*\),[^"]*"/font-family="\1"/g' "$1" |
        convert -background none -density "$2" svg:- -filter Box -resize "$3" -strip "$4"
}

# ico SVG ICO: one .ico holding 16, 32 and 48 px images
ico() {
    for size in 16 32 48; do
        render "$1" 1536 "${size}x${size}" "PNG32:$tmp/$size.png"
    done
    convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$2"
    echo "made $2"
}

ico tools.svg      tools.ico
ico vendor.svg     vendor.ico
ico manuf.svg      manuf.ico
ico category.svg   category.ico
ico report-tab.svg reports.ico
ico graph-tab.svg  graph.ico

render rastrel.svg 1536 256x256 PNG32:rastrel.png
echo "made rastrel.png"
render splash.svg 768 960x400 "$tmp/splash.png"
convert "$tmp/splash.png" -background white -alpha remove -alpha off -strip PNG24:splash.png
echo "made splash.png"
