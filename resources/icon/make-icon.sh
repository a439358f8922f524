#!/bin/sh
# Regenerates resources/velquin.ico from the drawing resources/icon/velquin.svg.
#
# Needs ImageMagick (convert, identify) and Python 3. The .ico is kept in the
# repository, so building the program does not need either of them; run this
# only after changing the drawing, and commit the new .ico with it.
#
# Usage: resources/icon/make-icon.sh [output.ico]   (default: resources/velquin.ico)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$(dirname "$here")/velquin.ico"}

# Every size the icon carries, smallest first. build_ico.py stores the ones up
# to 256 pixels as bitmaps and the larger ones as PNG.
sizes="16 24 32 48 64 96 128 256 512"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Draw the picture once, large, and scale it down to every size: drawing
# straight at the small sizes leaves rough edges. The drawing is 256 units wide
# and ImageMagick reads SVG at 96 dpi, so 576 dpi gives 1536 pixels, a whole
# multiple of every size. The box filter then makes each small pixel the plain
# average of the large pixels it covers: clean anti-aliasing, no ringing, and
# pixels outside the tile (the corners) stay fully transparent.
convert -background none -density 576 "$here/velquin.svg" -depth 8 "PNG32:$work/master.png"

set --
for size in $sizes; do
  # -strip and the excluded chunks keep dates out of the files, so the same
  # drawing always gives the same bytes (the 512 image is stored as it is).
  convert "$work/master.png" -filter Box -resize "${size}x${size}" -depth 8 -strip \
    -define png:exclude-chunks=date,time "PNG32:$work/$size.png"
  set -- "$@" "$work/$size.png"
done

python3 "$here/build_ico.py" "$out" "$@"
identify "$out"
