#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the icon (48/32/16), the
# 577 x 60 top strip, the four 16 x 16 tab images (magenta = transparent), the
# history list's record mark, and the 32 x 32 two-colour pointing hand.
# Run from anywhere; writes beside itself. Needs ImageMagick, python3 and the
# WenQuanYi Micro Hei font.
set -euo pipefail
cd "$(dirname "$0")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
bold=DejaVu-Sans-Bold
version=$(sed -n 's/^project(Tarvex VERSION \([0-9.]*\).*/\1/p' ../../../../CMakeLists.txt)
[[ -n "$version" ]] || { echo "no version in CMakeLists.txt" >&2; exit 1; }

# --- icon: a blue rounded tile with a white bolt over a speed arc -----------
convert -size 256x256 gradient:'#3d95f2'-'#0a3b8a' "$tmp/grad.png"
convert -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 48,48' "$tmp/mask.png"
convert "$tmp/grad.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/tile.png"
convert "$tmp/tile.png" \
  -fill none -stroke '#9fd0ff' -strokewidth 14 -draw 'arc 40,52 216,228 160,380' \
  -stroke none -fill white -draw 'polygon 146,34 78,142 122,142 104,222 180,110 134,110 160,34' \
  "$tmp/icon256.png"
for s in 48 32 16; do convert "$tmp/icon256.png" -filter Lanczos -resize ${s}x${s} "$tmp/icon$s.png"; done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" tarvex.ico

# --- top strip, 577 x 60 ------------------------------------------------------
convert -size 60x577 gradient:'#2a74d0'-'#0c3272' -rotate -90 "$tmp/strip.png"
convert "$tmp/strip.png" \
  -fill '#ffffff14' -draw 'circle 520,-40 520,90' -draw 'circle 470,90 470,150' \
  \( "$tmp/icon48.png" \) -geometry +12+6 -composite \
  -font "$bold" -pointsize 26 -fill white -annotate +70+33 'Tarvex' \
  -font "$cjk" -pointsize 12 -fill '#cfe4ff' -annotate +72+51 '系统加速 · 让正在使用的程序跑得更快' \
  -font "$bold" -pointsize 11 -fill '#cfe4ff' -annotate +500+20 "v$version" \
  -fill '#ffffff40' -draw 'line 0,59 576,59' \
  -alpha off -type TrueColor BMP3:strip.bmp

# --- tab images: 16 x 16 on magenta ------------------------------------------
base="-size 16x16 xc:#ff00ff +antialias"
convert $base -fill none -stroke '#1d6fd6' -strokewidth 2 \
  -draw 'polyline 1,10 4,10 6,4 9,13 11,7 12,10 15,10' -type TrueColor BMP3:tab0.bmp
convert $base -fill '#5a6b80' -draw 'circle 8,8 8,1' -fill '#ff00ff' -draw 'circle 8,8 8,5' \
  -fill '#5a6b80' -draw 'rectangle 7,0 9,2' -draw 'rectangle 7,14 9,15' -draw 'rectangle 0,7 2,9' -draw 'rectangle 14,7 15,9' \
  -type TrueColor BMP3:tab1.bmp
convert $base -fill white -stroke '#5a6b80' -draw 'rectangle 2,1 13,14' -stroke none -fill '#1d6fd6' \
  -draw 'rectangle 4,4 11,4' -draw 'rectangle 4,7 11,7' -draw 'rectangle 4,10 9,10' -type TrueColor BMP3:tab2.bmp
convert $base -fill '#1d6fd6' -draw 'circle 8,8 8,1' -fill white -draw 'rectangle 7,7 8,12' -draw 'rectangle 7,4 8,5' \
  -type TrueColor BMP3:tab3.bmp

# --- the history list's record mark: a green up arrow ------------------------
convert -size 16x16 xc:none -fill '#1f9e3a' -draw 'polygon 8,1 15,8 11,8 11,15 5,15 5,8 1,8' \
  -fill '#8fe09f' -draw 'line 8,3 12,7' record.png
convert record.png record.ico
rm record.png

# --- the pointing hand: 32 x 32, two colours, hot spot (10, 10) -------------
python3 - <<'PY'
import struct
art = [
"          XX",
"         X..X",
"         X..X",
"         X..X",
"         X..X",
"         X..XXX",
"         X..X..XXX",
"         X..X..X..XX",
"      XX X..X..X..X.X",
"     X..XX........X..X",
"     X...X...........X",
"      X..............X",
"       X.............X",
"       X............X",
"        X...........X",
"        X..........X",
"         X.........X",
"         XXXXXXXXXXX",
]
# shift so the fingertip (row 1, col 10..11) lands on the hot spot (10, 10)
dy = 9
w = h = 32
and_rows, xor_rows = [], []
for y in range(h):
    and_bits = [1] * w   # 1 = transparent
    xor_bits = [0] * w
    r = y - dy
    if 0 <= r < len(art):
        for x, c in enumerate(art[r]):
            if c == 'X':   and_bits[x] = 0; xor_bits[x] = 0   # black
            elif c == '.': and_bits[x] = 0; xor_bits[x] = 1   # white
    and_rows.append(and_bits); xor_rows.append(xor_bits)
def pack(rows):
    out = b''
    for bits in reversed(rows):  # bottom-up
        for i in range(0, w, 8):
            v = 0
            for b in bits[i:i+8]: v = (v << 1) | b
            out += bytes([v])
    return out
xor = pack(xor_rows); andm = pack(and_rows)
header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
palette = struct.pack('<II', 0x000000, 0xFFFFFF)
image = header + palette + xor + andm
hot_x, hot_y = 10, 10
cur = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', w, h, 2, 0, hot_x, hot_y, len(image), 22) + image
open('hand.cur', 'wb').write(cur)
PY
echo "drawn: tarvex.ico strip.bmp tab0-3.bmp record.ico hand.cur"
