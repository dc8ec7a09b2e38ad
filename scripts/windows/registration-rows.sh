#!/usr/bin/env bash
# registration-rows.sh PREFIX SHIP64 SHIP32 OUT: what the DLLs' DllRegisterServer writes, as the
# registry rows of the Windows Installer packages, so that the packages cannot drift from the
# DLLs. In the scratch Wine prefix PREFIX (made on first use, then reused) the DLLs of each
# bitness are registered from a folder of their own with regsvr32, the registry compared before
# and after, and the keys and values written there become OUT/rows64.wxi and OUT/rows32.wxi:
# the classes under HKLM\Software\Classes of that bitness's view, the folder as
# [INSTALLDIR64] or [INSTALLDIR32], and the add-in entry, which DllRegisterServer writes for the
# current user, under HKLM for every user. Anything else written fails the script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 ship64=$2 ship32=$3 out=$4
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$here/wine-prefix.sh" "$prefix"
mkdir -p "$out"

# One line per value: "HIVE|KEY|VALUE" with VALUE as the prefix's registry file holds it, and
# "HIVE|KEY|" for every key.
snapshot() {
    wineserver -w
    for hive in system:HKLM user:HKCU; do
        awk -v hive="${hive#*:}" '
            { sub(/^ +/, "") }
            /\\$/ { sub(/\\$/, ""); held = held $0; next }
            { line = held $0; held = "" }
            line ~ /^(WINE REGISTRY|;;|#arch=|#time=|#class=)/ { next }
            line ~ /^\[/ {
                sub(/\] [0-9]+$/, "", line)
                key = substr(line, 2)
                gsub(/\\\\/, "\\", key)
                print hive "|" key "|"
                next
            }
            line != "" && key != "" { print hive "|" key "|" line }' "$prefix/${hive%%:*}.reg"
    done | LC_ALL=C sort -u |
        # Wine's own bookkeeping: which programs ran, and when the display driver last started.
        grep -v -E -e '^HKCU\|Software\\Wine\\' -e '^HKLM\|System\\CurrentControlSet\\Control\\Class\\.*\|"DriverDateData"='
}

register() { # BITS FOLDER SWITCHES
    local regsvr32=C:\\windows\\system32\\regsvr32.exe
    [ "$1" == 32 ] && regsvr32=C:\\windows\\syswow64\\regsvr32.exe
    wine "$regsvr32" /s $3 "$2\\TelvanePage.dll"
    wine "$regsvr32" /s $3 "$2\\Telvane.dll"
    wineserver -w
}

# Turns the lines added in one registration into WiX rows.
rows() { # BITS FOLDER
    local bits=$1 folder=$2
    awk -F'|' -v bits="$bits" -v folder="$folder" -v dir="[INSTALLDIR$bits]" '
        function number(hex,   i, n) {
            n = 0
            for (i = 1; i <= length(hex); i++) n = n * 16 + index("0123456789abcdef", substr(hex, i, 1)) - 1
            return n
        }
        function fail(text) { print "registration-rows.sh: " text > "/dev/stderr"; bad = 1; exit 1 }
        function xml(s) { gsub(/&/, "\\&amp;", s); gsub(/</, "\\&lt;", s); gsub(/>/, "\\&gt;", s);
                          gsub(/"/, "\\&quot;", s); return s }
        # The registry file quotes strings with \\ and \"; the installer formats them, so [ ]
        # and a leading # are escaped, and the registration folder becomes the install folder.
        function text(s,   i, c, r) {
            r = ""
            for (i = 1; i <= length(s); i++) {
                c = substr(s, i, 1)
                if (c == "\\") { i++; c = substr(s, i, 1) }
                if (c == "[") c = "[\\[]"
                else if (c == "]") c = "[\\]]"
                r = r c
            }
            n = index(tolower(r), tolower(folder "\\"))
            while (n > 0) {
                r = substr(r, 1, n - 1) dir substr(r, n + length(folder) + 1)
                n = index(tolower(r), tolower(folder "\\"))
            }
            if (tolower(r) == tolower(folder)) r = dir
            if (substr(r, 1, 1) == "#") r = "#" r
            return r
        }
        {
            hive = $1; key = $2; value = substr($0, length($1) + length($2) + 3)
            if (hive == "HKCU" && key ~ /^Software\\Microsoft\\Office\\Outlook\\Addins\\/) {
                hive = "HKLM"
            } else if (hive == "HKLM" && key ~ /^Software\\Classes\\/) {
                if (bits == 32) sub(/^Software\\Classes\\Wow6432Node\\/, "Software\\Classes\\", key)
            } else if (hive == "HKCU" && key ~ /^Software\\Microsoft\\Office(\\Outlook(\\Addins)?)?$/ &&
                       value == "") {
                next
            } else {
                fail("unexpected write: " $0)
            }
            if (value == "") { keys[hive "|" key] = 1; next }
            if (match(value, /^@=/)) { name = ""; data = substr(value, 3) }
            else if (match(value, /^"([^"\\]|\\.)*"=/)) {
                name = text(substr(value, 2, RLENGTH - 3)); data = substr(value, RLENGTH + 1)
            } else fail("unreadable value: " $0)
            if (data ~ /^".*"$/) { type = "string"; v = text(substr(data, 2, length(data) - 2)) }
            else if (data ~ /^str\(2\):".*"$/) { type = "expandable"; v = text(substr(data, 9, length(data) - 9)) }
            else if (data ~ /^dword:[0-9a-f]+$/) { type = "integer"; v = number(substr(data, 7)) }
            else if (data ~ /^hex:/) { type = "binary"; v = substr(data, 5); gsub(/,/, "", v) }
            else fail("unknown type: " $0)
            valued[hive "|" key] = 1
            printf "<RegistryValue Id=\"Reg%s_%d\" Root=\"%s\" Key=\"%s\"%s Type=\"%s\" Value=\"%s\" />\n", bits, ++rows, hive, xml(key),
                name == "" ? "" : " Name=\"" xml(name) "\"", type, xml(v)
        }
        END {
            if (bad) exit 1
            # A key without values of its own, not merely above one that has them: the installer
            # creates it at install and removes it at uninstall by the reserved name "*".
            for (k in keys) {
                if (k in valued) continue
                inner = 0
                for (v in valued) if (index(v, k "\\") == 1) { inner = 1; break }
                for (o in keys) if (index(o, k "\\") == 1) { inner = 1; break }
                if (inner) continue
                split(k, part, "|")
                printf "<RegistryValue Id=\"Reg%s_%d\" Root=\"%s\" Key=\"%s\" Name=\"*\" Type=\"string\" Value=\"\" />\n", bits, ++rows, part[1], xml(part[2])
            }
        }'
}

folder64='C:\TelvaneRows64' folder32='C:\TelvaneRows32'
for bits in 64 32; do
    folder=$folder64 ship=$ship64
    [ $bits == 32 ] && folder=$folder32 ship=$ship32
    dir=$(winepath -u "$folder")
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$ship/Telvane.dll" "$ship/TelvanePage.dll" "$dir/"
    snapshot >"$out/before$bits.txt"
    register $bits "$folder" ""
    snapshot >"$out/after$bits.txt"
    LC_ALL=C comm -13 "$out/before$bits.txt" "$out/after$bits.txt" >"$out/written$bits.txt"
    # The prefix goes back to where it was, for the other bitness and the next run.
    register $bits "$folder" /u
    # The add-in entry stays (DllUnregisterServer keeps the user's choice); here it goes, with the
    # keys above it that it brought.
    wine reg delete 'HKCU\Software\Microsoft\Office\Outlook\Addins\Telvane.TLConnect' /f >/dev/null 2>&1 || true
    grep -q '^HKCU|Software\\Microsoft\\Office|$' "$out/before$bits.txt" ||
        wine reg delete 'HKCU\Software\Microsoft\Office' /f >/dev/null 2>&1 || true
    wineserver -w
    rm -rf "$dir"
    left=$(LC_ALL=C comm -13 "$out/before$bits.txt" <(snapshot))
    if [ -n "$left" ]; then
        echo "registration-rows.sh: unregistering the $bits-bit DLLs left:"
        echo "$left"
        exit 1
    fi
    {
        echo '<?xml version="1.0" encoding="utf-8"?>'
        echo '<Include>'
        rows $bits "$folder" <"$out/written$bits.txt" | LC_ALL=C sort
        echo '</Include>'
    } >"$out/rows$bits.wxi.new"
    mv "$out/rows$bits.wxi.new" "$out/rows$bits.wxi"
    echo "rows$bits.wxi: $(grep -c '<RegistryValue' "$out/rows$bits.wxi") registry rows"
done
