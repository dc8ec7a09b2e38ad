#!/usr/bin/env bash
# Pictures of the options tab for docs/ and the README: the stand-in mail client's Options
# dialog with the product's tab chosen, and the fax manager opened from it, taken under Wine
# (Xvfb) from the x86_64 build tree ($TELVANE_WIN64_BUILD, by default build-win64), which is
# built first. The README's pictures section is written between its two markers.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TELVANE_WIN64_BUILD:-$root/build-win64}
"$root/scripts/windows/install.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j 2 --target outlookhost Telvane TelvanePage

prefix=$build/wineprefix-screenshots
work=$(mktemp -d)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
"$root/scripts/windows/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's drive Z: is the root; no wine call here, since a wineserver started without the
# display would spoil the GUI run that follows.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
tab=$(windows_path "$work/options-tab.bmp")
manager=$(windows_path "$work/fax-manager.bmp")

xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/windows/wine-run.sh" "$prefix" "$build/bin/outlookhost.exe" \
    register=Telvane.dll register=TelvanePage.dll switch=0 start options choose-tab=Telvane \
    "picture=$tab" "click=Manage Fax Number Display..." choose-node=Contacts \
    "picture=$manager" click=Close click=Cancel unregister=TelvanePage.dll \
    unregister=Telvane.dll >"$work/run.log" || { cat "$work/run.log"; exit 1; }

mkdir -p "$root/docs"
# BMP to PNG with nothing but Python's standard library.
python3 - "$work" "$root/docs" <<'PY'
import struct, sys, zlib
source, target = sys.argv[1], sys.argv[2]
for name in ("options-tab", "fax-manager"):
    data = open(f"{source}/{name}.bmp", "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, "24-bit pictures only"
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + (height - 1 - y) * stride:][:width * 3] if height > 0 else \
              data[offset + y * stride:][:width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + \
               struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height),
                                                         8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
    open(f"{target}/{name}.png", "wb").write(png)
PY

python3 - "$root/README.md" <<'PY'
import sys
path = sys.argv[1]
begin, end = "<!-- options tab pictures -->", "<!-- end of options tab pictures -->"
section = f"""{begin}
## The options tab

The product's tab in the stand-in mail client's Options dialog, under Wine, and the fax manager
opened from it (`bash scripts/windows/screenshots.sh` takes them again):

![The Telvane tab in the Options dialog](docs/options-tab.png)

![The fax manager over the Options dialog](docs/fax-manager.png)
{end}"""
text = open(path).read()
if begin in text:
    text = text[:text.index(begin)] + section + text[text.index(end) + len(end):]
else:
    text = text.rstrip("\n") + "\n\n" + section + "\n"
open(path, "w").write(text)
PY
echo "Pictures written to $root/docs"
