#!/usr/bin/env bash
# Renders Quorna's pictures from the SVG drawings in src/ and rewrites
# ../icons.qrc (prefix "/icons").  Run it after changing any drawing:
#
#     bash resources/icons/render.sh
#
# Needs rsvg-convert (Debian package librsvg2-bin) and python3 (standard
# library only: the operator logos are made pure black and white and written
# as 24-bit BMP by the small script further down).
#
# Drawing rules: flat colours from one palette (outline #2b3442, blue, green,
# red, amber, grey), 1 px outlines on the pixel grid, transparent background.
# Every list and toolbar picture is drawn once and rendered at 1x and 2x
# (NN.png and NN@2x.png, which QIcon picks up by itself).
#
# Main window image list ImageList1, 16 x 16, 1-based (lista/NN.png):
#   01  info badge ........................ identity rows (version, IMEI, SIM)
#   02  plain document .................... tree leaves (SMS folders, call lists,
#                                           forwarding reasons), folder rows
#   03  red book (closed) ................. tree: red book
#   04  blue-tinted document .............. tree: selected phonebook memory
#   05  red book (open) ................... tree: red book, selected
#   06  blue book (open) .................. tree: phonebook, expanded
#   07  calendar page ..................... tree: organizer
#   08  clipboard list .................... tree: call records
#   09  LCD with pixel picture ............ tree: operator logo
#   10  musical notes ..................... tree: melodies
#   11  antenna mast with waves ........... tree: network
#   12  battery with lightning bolt ....... tree: power supply
#   13  blue address book (closed) ........ tree: phonebook
#   14  open envelope ..................... tree: SMS, expanded
#   15  envelope .......................... tree: SMS
#   16  person, red ....................... red-list entry
#   17  person, blue ...................... phonebook entry, message row,
#                                           service centre row
#   18  battery, standing ................. power: from battery
#   19  battery and plug .................. power: external, battery fitted
#   20  plug .............................. power: external, no battery
#   21  empty battery, red ................ power: error; battery 0 %
#   22  battery 1/5, red .................. battery about 20 %
#   23  battery 2/5, amber ................ battery about 40 %
#   24  battery 3/5, green ................ battery about 60 %
#   25  battery 4/5, green ................ battery about 80 %
#   26  battery 5/5, green ................ battery 100 %
#   27  grey "no" sign .................... "Unavailable" placeholder row
#   28-37  grey dot (generic) ............. not used
#   38  mobile phone ...................... tree root; lock "phone locked to SIM"
#   39  grey person with "?" .............. caller not in the phonebook
#   40  two people ........................ reminder: meeting
#   41  note with pin ..................... reminder: miscellaneous
#   42  handset ........................... reminder: phone call
#   43  gift box .......................... reminder: anniversary
#   44  clock ............................. tree: clock
#   45-46  grey dot (generic) ............. not used
#   47  handset with bent arrow ........... tree: call forwarding
#   48  loudspeaker ....................... forwarding class: voice
#   49  fax machine ....................... forwarding class: fax
#   50  computer screen ................... forwarding class: data
#   51  padlock ........................... tree: barrings
#   52  keypad with padlock ............... lock: keypad
#   53  SIM card .......................... lock: SIM PIN
#   54  book with padlock ................. lock: fixed dialling numbers only
#   55  handset, red arrow out ............ barring: outgoing calls
#   56  handset, red arrow in ............. barring: incoming calls
#   57  mast .............................. network available; not registered
#   58  mast, green tick .................. current network; registered (home)
#   59  mast, amber dots .................. searching
#   60  mast, red cross ................... forbidden network; registration denied
#   61  mast, grey "?" .................... registration state unknown
#   62  mast, blue "R" .................... registered, roaming
#   63-68  signal bars, 0 to 5 green ...... signal level (63 + bars)
#   69-70  grey dot (generic) ............. not used
#
# Toolbar image list ImageListBar, 24 x 24, 1-based (barra/NN.png):
#   01 refresh  02 open phonebook file  03 save phonebook file
#   04 put phonebook into phone  05 new entry  06 modify  07 delete
#   08 print phonebook  09 send SMS to entry  10 send logo/melody to phone
#   11 reply  12 new SMS  13 save SMS in archive  14 modify SMS
#   15 delete SMS  16 save SMS in SIM  17 send stored SMS  18 print SMS
#   19 open image/MIDI file  20 save as image/MIDI file  21 new alarm
#   22 modify alarm  23 delete alarm  24 open alarms file
#   25 save alarms file  26 put alarms to phone  27 print alarms
#   28 enable/disable call forwarding  29 remove call forwarding
#   30 connect (plugged)  31 disconnect (unplugged)  32 lock on/off
#   33 change network
#
# Others: quorna-32/-64 (program icon), bandiera-it/-en/-fr (32 x 20),
# led-libero / led-occupato (12 x 12), logo0..logo3 (97 x 26 sample operator
# logos, black and white, as PNG and 24-bit BMP).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render.sh: rsvg-convert is missing (apt-get install -y librsvg2-bin)" >&2
    exit 1
fi

render() { # source-name width height output
    rsvg-convert -w "$2" -h "$3" -o "$4" "src/$1.svg"
}

mkdir -p lista barra

for n in $(seq -w 1 70); do
    render "lista-$n" 16 16 "lista/$n.png"
    render "lista-$n" 32 32 "lista/$n@2x.png"
done

for n in $(seq -w 1 33); do
    render "barra-$n" 24 24 "barra/$n.png"
    render "barra-$n" 48 48 "barra/$n@2x.png"
done

render quorna 32 32 quorna-32.png
render quorna 64 64 quorna-64.png
for f in it en fr; do
    render "bandiera-$f" 32 20 "bandiera-$f.png"
done
render led-libero 12 12 led-libero.png
render led-occupato 12 12 led-occupato.png

# Operator logos: render, then force every pixel to pure black or white and
# write both a 1-bit PNG and a 24-bit BMP (black 0,0,0 and white 255,255,255).
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
for n in 0 1 2 3; do
    render "logo$n" 97 26 "$tmp/logo$n.png"
done

python3 - "$tmp" <<'PY'
import struct, sys, zlib

def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    assert depth == 8 and interlace == 0 and ctype in (2, 6), path
    bpp = 4 if ctype == 6 else 3
    raw, stride, rows, prev = zlib.decompress(idat), w * bpp, [], bytearray(w * bpp)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pr) & 255
        rows.append(line)
        prev = line
    black = []
    for line in rows:
        out = []
        for x in range(w):
            r, g, b_ = line[x * bpp:x * bpp + 3]
            alpha = line[x * bpp + 3] if bpp == 4 else 255
            lum = (0.299 * r + 0.587 * g + 0.114 * b_) * alpha / 255 + 255 - alpha
            out.append(lum < 128)
        black.append(out)
    return w, h, black

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

def write_png(path, w, h, black):
    raw = b""
    for row in black:
        bits = bytearray((w + 7) // 8)
        for x, k in enumerate(row):
            if not k:
                bits[x // 8] |= 0x80 >> (x % 8)
        raw += b"\x00" + bytes(bits)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 1, 0, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    open(path, "wb").write(png)

def write_bmp(path, w, h, black):
    stride = (w * 3 + 3) & ~3
    pixels = b""
    for row in reversed(black):
        line = b"".join(b"\x00\x00\x00" if k else b"\xff\xff\xff" for k in row)
        pixels += line + b"\x00" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + pixels)

tmp = sys.argv[1]
for n in range(4):
    w, h, black = read_png("%s/logo%d.png" % (tmp, n))
    assert (w, h) == (97, 26), (w, h)
    write_png("logo%d.png" % n, w, h, black)
    write_bmp("logo%d.bmp" % n, w, h, black)
PY

# Resource file: every picture under the "/icons" prefix, by its path here.
{
    echo '<!DOCTYPE RCC>'
    echo '<!-- Written by icons/render.sh: do not edit by hand. -->'
    echo '<RCC version="1.0">'
    echo '    <qresource prefix="/icons">'
    for n in $(seq -w 1 70); do
        for s in "" "@2x"; do
            echo "        <file alias=\"lista/$n$s.png\">icons/lista/$n$s.png</file>"
        done
    done
    for n in $(seq -w 1 33); do
        for s in "" "@2x"; do
            echo "        <file alias=\"barra/$n$s.png\">icons/barra/$n$s.png</file>"
        done
    done
    for f in quorna-32.png quorna-64.png bandiera-it.png bandiera-en.png bandiera-fr.png \
             led-libero.png led-occupato.png \
             logo0.png logo1.png logo2.png logo3.png logo0.bmp logo1.bmp logo2.bmp logo3.bmp; do
        echo "        <file alias=\"$f\">icons/$f</file>"
    done
    echo '    </qresource>'
    echo '</RCC>'
} > ../icons.qrc

echo "render.sh: pictures and ../icons.qrc written"
