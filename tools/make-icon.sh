#!/bin/bash
# Draws Kestrin's icon (app/res/Kestrin.ico): a small 6 x 8 mask grid in the
# editor's cell colours on a slate tile, at 16, 32 and 48 pixels and what they
# become at 125-200 % (20, 24, 40, 64), and 256. Run by hand when the artwork
# changes.
set -euo pipefail
out=${1:-$(dirname "$0")/../app/res/Kestrin.ico}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sizes=(16 20 24 32 40 48 64 256)
images=()
for size in "${sizes[@]}"; do
  s=$(( size ))
  cell=$(awk "BEGIN{print $s/10}")
  draw=""
  # The sizes added for display scales put every cell on whole pixels, so that
  # no edge is blurred; the others keep the drawing they always had.
  case $s in 20 | 24 | 40 | 64) whole=1 ;; *) whole=0 ;; esac
  # Rows top to bottom, columns left to right: r = red object, y = enter, g = green, b = face.
  rows=("bbrrrrbb" "brrrrrrb" "rrrrrrrr" "rrryyrrr" "bgrrrrgb" "bbbbbbbb")
  for r in 0 1 2 3 4 5; do
    row=${rows[$r]}
    for c in 0 1 2 3 4 5 6 7; do
      k=${row:$c:1}
      case $k in r) col='#d42a2a';; y) col='#f5d311';; g) col='#1f8a1f';; *) col='#c8ccd4';; esac
      if [ "$whole" = 1 ]; then
        x0=$(awk "BEGIN{print int($cell*(1+$c)+0.5)}"); y0=$(awk "BEGIN{print int($cell*(2+$r)+0.5)}")
        x1=$(awk "BEGIN{print int($cell*(2+$c)+0.5)-1-($s>=32)}"); y1=$(awk "BEGIN{print int($cell*(3+$r)+0.5)-1-($s>=32)}")
      else
        x0=$(awk "BEGIN{printf \"%.2f\", $cell*(1+$c)}"); y0=$(awk "BEGIN{printf \"%.2f\", $cell*(2+$r)}")
        x1=$(awk "BEGIN{printf \"%.2f\", $x0+$cell-($s>=32)}"); y1=$(awk "BEGIN{printf \"%.2f\", $y0+$cell-($s>=32)}")
      fi
      draw+=" fill $col rectangle $x0,$y0 $x1,$y1"
    done
  done
  radius=$(( s / 6 ))
  # The 256 image is stored as a PNG: 8 bits a channel, the kind every system
  # (and Wine) reads.
  depth=(); [ "$s" = 256 ] && depth=(-depth 8)
  convert -size ${s}x${s} xc:none -fill '#2b3a55' -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $radius,$radius" \
    -draw "$draw" "${depth[@]}" "$tmp/$s.png"
  images+=("$tmp/$s.png")
done
convert "${images[@]}" "$out"
echo "wrote $out"
