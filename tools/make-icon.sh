#!/bin/bash
# Draws Kestrin's icon (app/res/Kestrin.ico): a small 6 x 8 mask grid in the
# editor's cell colours on a slate tile. Run by hand when the artwork changes.
set -euo pipefail
out=${1:-$(dirname "$0")/../app/res/Kestrin.ico}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48 256; do
  s=$(( size ))
  cell=$(awk "BEGIN{print $s/10}")
  draw=""
  # Rows top to bottom, columns left to right: r = red object, y = enter, g = green, b = face.
  rows=("bbrrrrbb" "brrrrrrb" "rrrrrrrr" "rrryyrrr" "bgrrrrgb" "bbbbbbbb")
  for r in 0 1 2 3 4 5; do
    row=${rows[$r]}
    for c in 0 1 2 3 4 5 6 7; do
      k=${row:$c:1}
      case $k in r) col='#d42a2a';; y) col='#f5d311';; g) col='#1f8a1f';; *) col='#c8ccd4';; esac
      x0=$(awk "BEGIN{printf \"%.2f\", $cell*(1+$c)}"); y0=$(awk "BEGIN{printf \"%.2f\", $cell*(2+$r)}")
      x1=$(awk "BEGIN{printf \"%.2f\", $x0+$cell-($s>=32)}"); y1=$(awk "BEGIN{printf \"%.2f\", $y0+$cell-($s>=32)}")
      draw+=" fill $col rectangle $x0,$y0 $x1,$y1"
    done
  done
  radius=$(( s / 6 ))
  convert -size ${s}x${s} xc:none -fill '#2b3a55' -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $radius,$radius" \
    -draw "$draw" "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" "$out"
echo "wrote $out"
