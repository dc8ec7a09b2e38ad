#!/usr/bin/env bash
# screenshots.sh [FOLDER]: builds the x86_64 Windows tree, runs the real windows on the sample
# store under Wine and Xvfb, and saves a PNG of each window at the demo's moments in FOLDER
# (default docs/ of the checkout); then the options tab inside the stand-in mail client's
# Options dialog, and the fax manager opened from it; last the tab and the fax manager again with
# the screen at 144 DPI (win32-144dpi-*.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/docs}
build=${TELVANE_WIN64_BUILD:-$root/build-win64}
"$root/scripts/windows/install.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target telvane_screenshots outlookhost Telvane TelvanePage -j 2

prefix=$build/wineprefix
stop_wine() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
"$root/scripts/windows/wine-prefix.sh" --for-display "$prefix"

shots=$(mktemp -d)
status=0
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/windows/wine-run.sh" "$prefix" "$build/bin/telvane_screenshots.exe" \
    "Z:${shots//\//\\}" || status=$?
# The mail-client host, with both DLLs registered, through real input (on a display of its
# own, so the wineserver of the first run goes first).
stop_wine
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/windows/wine-run.sh" "$prefix" "$build/bin/outlookhost.exe" \
    register=Telvane.dll register=TelvanePage.dll switch=0 start options choose-tab=Telvane \
    "picture=Z:${shots//\//\\}\\options-tab.bmp" "click=Manage Fax Number Display..." \
    choose-node=Contacts "picture=Z:${shots//\//\\}\\options-fax-manager.bmp" click=Close \
    click=Cancel unregister=TelvanePage.dll unregister=Telvane.dll >"$shots/options.log" ||
    { status=$?; cat "$shots/options.log"; }
stop_wine
# The same windows at 144 DPI, in a prefix of their own whose screen has that many pixels per inch.
dpi_prefix=$build/wineprefix-dpi
shots144=$(mktemp -d)
"$root/scripts/windows/wine-prefix.sh" --dpi 144 "$dpi_prefix"
xvfb-run -a -s "-screen 0 1600x1200x24" \
    "$root/scripts/windows/wine-run.sh" "$dpi_prefix" "$build/bin/telvane_screenshots.exe" \
    "Z:${shots144//\//\\}" || status=$?
WINEPREFIX=$dpi_prefix wineserver -k 2>/dev/null || true
for name in TelvanePage-opened frmFaxManager-contacts; do
    mv "$shots144/$name.bmp" "$shots/144dpi-$name.bmp"
done
rm -rf "$shots144"
mkdir -p "$out"
python3 - "$shots" "$out" <<'PY'
# 24-bit bottom-up BMP (as the program writes them) to PNG, with nothing but the standard library.
import os, struct, sys, zlib
source, target = sys.argv[1], sys.argv[2]
for name in sorted(os.listdir(source)):
    if not name.endswith(".bmp"):
        continue
    data = open(os.path.join(source, name), "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        rows.append(b"\0" + bytes(rgb))
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    path = os.path.join(target, "win32-" + name[:-4] + ".png")
    open(path, "wb").write(png)
    print(path)
PY
rm -rf "$shots"
exit "$status"
