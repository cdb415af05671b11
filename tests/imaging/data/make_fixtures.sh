#!/bin/sh
# Rebuilds the picture fixtures from source.ppm with ImageMagick's convert, and beside each
# one the pixels convert itself decodes from it (<fixture>.pam, RGB_ALPHA, 8 bits). The tests
# compare the loader with those. Run from this folder; the files are committed, so the tests
# need no ImageMagick.
set -e
src=source.ppm
alpha() { convert "$src" \( +clone -fx 'i/w' \) -alpha off -compose CopyOpacity -composite "$@"; }

convert "$src" -monochrome -compress None BMP3:bmp_1bit.bmp
convert "$src" -colors 16 -type Palette -compress None BMP3:bmp_4bit.bmp
convert "$src" -colors 200 -type Palette -compress None BMP3:bmp_8bit.bmp
convert "$src" -colors 200 -type Palette -compress RLE BMP3:bmp_rle8.bmp
convert "$src" -define bmp:subtype=RGB565 BMP:bmp_16bit_565.bmp
convert "$src" -define bmp:subtype=RGB555 BMP:bmp_16bit_555.bmp
alpha -define bmp:subtype=ARGB4444 BMP:bmp_16bit_4444.bmp
convert "$src" -type TrueColor BMP3:bmp_24bit.bmp
alpha BMP:bmp_32bit_alpha.bmp
alpha -define bmp3:alpha=true BMP3:bmp_32bit_rgb.bmp
convert "$src" -type TrueColor BMP2:bmp_os2_24bit.bmp
convert "$src" -colors 200 -type Palette BMP2:bmp_os2_8bit.bmp

convert "$src" -quality 85 jpeg_baseline.jpg
convert "$src" -quality 85 -sampling-factor 1x1 jpeg_444.jpg
convert "$src" -quality 85 -sampling-factor 2x1 jpeg_422.jpg
convert "$src" -quality 85 -interlace Plane jpeg_progressive.jpg
convert "$src" -quality 85 -colorspace Gray jpeg_gray.jpg
convert "$src" -quality 85 -colorspace CMYK jpeg_cmyk.jpg

convert "$src" -colors 64 gif_plain.gif
convert "$src" -colors 64 -interlace Line gif_interlaced.gif
convert "$src" -colors 64 -fill white -fuzz 25% -draw 'color 0,0 floodfill' \
  -transparent white gif_transparent.gif

for f in *.bmp *.jpg *.gif; do
  convert "$f" -colorspace sRGB -depth 8 -alpha on PAM:"$f.pam"
done
