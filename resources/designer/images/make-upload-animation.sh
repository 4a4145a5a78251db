#!/bin/sh
# Draws upload.gif, the looping animation of the upload's progress dialog: a page leaves a
# folder, arcs over to a server and the server's light blinks as it lands. Needs ImageMagick.
# Run from this folder; the result is committed, so the build does not need ImageMagick.
set -eu
out=${1:-upload.gif}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

W=256
H=56
FRAMES=18

folder_back="fill #C98F1C stroke #8A5F0E rectangle 14,20 36,26 roundrectangle 14,23 62,48 3,3"
folder_front="fill #F0BE4A stroke #8A5F0E polygon 12,29 64,29 60,48 16,48"
server="fill #56677A stroke #2E3A47 roundrectangle 204,6 240,50 3,3 \
 fill #3E4D5C stroke #2E3A47 rectangle 209,13 235,18 rectangle 209,23 235,28 rectangle 209,33 235,38"

page() { # page at x,y (top left), 16 x 20
    x=$1; y=$2
    echo "fill white stroke #4A5A6A polygon $x,$y $((x+11)),$y $((x+16)),$((y+5)) $((x+16)),$((y+20)) $x,$((y+20)) \
 fill #DDE3EA polygon $((x+11)),$y $((x+11)),$((y+5)) $((x+16)),$((y+5)) \
 stroke #3D7CC9 line $((x+3)),$((y+8)) $((x+12)),$((y+8)) line $((x+3)),$((y+11)) $((x+12)),$((y+11)) \
 line $((x+3)),$((y+14)) $((x+9)),$((y+14))"
}

i=0
while [ $i -lt $FRAMES ]; do
    # Along an arc from the folder (t = 0) into the server (t = 1).
    set -- $(awk -v i=$i -v n=$FRAMES 'BEGIN { t = i / (n - 1); pi = atan2(0, -1);
        x = 30 + t * (214 - 30); y = 20 - sin(pi * t) * 16 + t * 4;
        printf "%d %d", x, y }')
    px=$1; py=$2
    led="#2F8F3A"
    if [ $i -ge $((FRAMES - 3)) ]; then led="#5CFF6A"; fi
    convert -size ${W}x${H} xc:none +antialias -strokewidth 1 \
        -draw "$folder_back" -draw "$(page $px $py)" -draw "$folder_front" \
        -draw "$server" -draw "fill $led stroke #1D4A22 rectangle 229,43 234,46" \
        "$work/frame$(printf %02d $i).png"
    i=$((i + 1))
done
# Each page flies for about a second, then the next one sets off after a short pause.
convert -dispose background -delay 6 "$work"/frame*.png \
    -delay 40 "$work/frame$(printf %02d $((FRAMES - 1))).png" -loop 0 "$out"
