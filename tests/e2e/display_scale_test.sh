#!/usr/bin/env bash
# The real program on displays set to 125 %, 150 % and 200 % (Xft.dpi 120, 144, 192): the window is
# that much larger, still centred, and its figures are drawn at that scale, not at 100 %.
# Usage: display_scale_test.sh PROGRAM
set -euo pipefail
program=$1
here=$(dirname "$0")

# The bounding box, WxH+X+Y, of the white figures inside the panel (its middle band at 100 %:
# 20 to 290 across, 45 to 110 down), in a window drawn at SCALE.
figures_box() {
  local crop
  crop=$(awk -v s="$1" 'BEGIN { printf "%dx%d+%d+%d", 270 * s, 65 * s, 20 * s, 45 * s }')
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage png:- | convert - -crop "$crop" png:- |
    convert - -fuzz 10% -fill black +opaque white -format %@ info:
}
export -f figures_box

figures_at_100=""
for dpi in 96 120 144 192; do
  scale=$(awk -v d="$dpi" 'BEGIN { print d / 96 }')
  result=$(XFT_DPI=$dpi bash -c "source '$here/xvfb_session.sh'; start_xvfb
    start_kestrune '$program'; echo \"\$WIDTH \$HEIGHT \$X \$Y \$(figures_box $scale)\"") || {
    echo "$result"
    exit 1
  }
  read -r width height x y box <<<"$(tail -n 1 <<<"$result")"
  want=$(awk -v s="$scale" 'BEGIN { printf "%d %d", int(355 * s + 0.5), int(180 * s + 0.5) }')
  echo "Xft.dpi $dpi: window ${width}x$height at $x,$y, figures $box"
  [ "$width $height" = "$want" ] || { echo "the window is not ${want/ /x} at $scale"; exit 1; }
  # Centred in logical pixels, then scaled: a pixel or two either way.
  [ $((x * 2 + width)) -ge 1276 ] && [ $((x * 2 + width)) -le 1284 ] ||
    { echo "not centred"; exit 1; }
  figures_width=${box%%x*}
  if [ -z "$figures_at_100" ]; then
    figures_at_100=$figures_width
  else
    awk -v w="$figures_width" -v w0="$figures_at_100" -v s="$scale" \
      'BEGIN { exit !(w >= w0 * s * 0.95 && w <= w0 * s * 1.05) }' ||
      { echo "the figures are $figures_width wide, not $scale times $figures_at_100"; exit 1; }
  fi
done
echo "drawn at the display's scale: passed"
