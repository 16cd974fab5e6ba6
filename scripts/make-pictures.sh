#!/bin/sh
# The test pictures: PNG files and BMP sources from tools/makepictures, then
# JPEG, GIF and TIFF converted from those BMPs by ImageMagick, and a JPEG cut
# short inside its compressed data.
#   make-pictures.sh MAKEPICTURES DIR
set -eu
tool=$1
dir=$2
mkdir -p "$dir"
"$tool" "$dir"
convert "$dir/halves.bmp" -quality 95 "$dir/halves.jpg"
convert "$dir/other.bmp" "$dir/other.gif"
convert "$dir/other.bmp" -compress none "$dir/other.tif"
size=$(stat -c %s "$dir/halves.jpg")
head -c $((size / 2)) "$dir/halves.jpg" > "$dir/truncated.jpg"
