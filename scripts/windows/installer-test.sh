#!/usr/bin/env bash
# installer-test.sh BUILD64 BUILD32: builds the setup program in BUILD64 from both trees' DLLs,
# then, in a fresh Wine prefix: checks that a setup whose registration fails undoes itself;
# installs silently into another folder, runs the setup again over that copy in place and then
# into the default folders; checks the files, the registrations of both bitnesses, the add-in
# entry and the one uninstall entry; runs the stand-in mail client of each bitness on the
# installed DLLs through a save; uninstalls silently; and compares a full registry export and the
# file tree with those taken before the first install. Prints "Setup test passed." at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build64=$(cd "$1" && pwd)
build32=$(cd "$2" && pwd)

if [ -z "${DISPLAY:-}" ]; then
    # The options page is a window: the whole Wine session gets one display.
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

version=$(sed -n 's/^project(Telvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
echo "== setup program $version"
cmake -S "$root" -B "$build64" -DTELVANE_SETUP_I686_BIN="$build32/bin" >/dev/null
cmake --build "$build64" --target setup
setup=$build64/TelvaneSetup-$version.exe
[ -f "$setup" ] || { echo "no $setup"; exit 1; }

work=$build64/setup-test
prefix=$work/wineprefix
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
trap 'wineserver -k 2>/dev/null || true' EXIT
started=$SECONDS
"$here/wine-prefix.sh" "$prefix"
# Wine's first start after creating a prefix rewrites some of its own keys (display adapters,
# links): the snapshot before comes after one restart, as the one after does.
wine wineboot -r
wineserver -w

failures=0
check() { # DESCRIPTION ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then
        echo "  ok   $1"
    else
        echo "  FAIL $1: \"$2\", expected \"$3\""
        failures=$((failures + 1))
    fi
}
lower() { tr '[:upper:]' '[:lower:]'; }

# The data of one value (an empty NAME: the default value) in the 64- or 32-bit view, or "none".
regsz() { # BITS KEY [NAME]
    local name=(/ve)
    [ -n "${3:-}" ] && name=(/v "$3")
    local out
    out=$(wine reg query "$2" "${name[@]}" "/reg:$1" 2>/dev/null | tr -d '\r') || { echo none; return; }
    sed -n 's/^    .*    REG_[A-Z_]*    //p' <<<"$out" | head -n 1
}

# The whole registry as "[key]" and "[key] value" lines, from the prefix's own registry files:
# they hold every key of both views (regedit's export leaves out HKLM\Software\Wow6432Node), less
# the times of last change. And the prefix's file tree.
snapshot() { # NAME
    wineserver -w
    for hive in system:HKLM user:HKCU userdef:HKU_DEFAULT; do
        awk -v hive="${hive#*:}" '
            { sub(/^ +/, "") }
            /\\$/ { sub(/\\$/, ""); held = held $0; next }
            { line = held $0; held = "" }
            line ~ /^(WINE REGISTRY|;;|#arch=|#time=)/ { next }
            line ~ /^\[/ {
                sub(/\] [0-9]+$/, "]", line)
                gsub(/\\\\/, "\\", line)
                key = "[" hive "\\" substr(line, 2)
                print key
                next
            }
            line != "" && key != "" { print key " " line }' "$prefix/${hive%%:*}.reg"
    done | sort -u >"$work/$1.reg"
    (cd "$prefix/drive_c" && find . | sort) >"$work/$1.files"
}

# Runs the stand-in mail client HOST of BITS through a save and the options tab, from a folder
# of its own with no DLL beside it, and checks that it loaded both DLLs from FOLDER.
run_host() { # BITS HOST FOLDER
    local host rc=0 dll loaded
    host=$(mktemp -d "$work/host$1.XXXX")
    cp "$2" "$host/"
    WINEDEBUG=-all,+loaddll wine "$host/outlookhost.exe" switch=1 start \
        expect-addin=Telvane.TLConnect:connected "open=Ann Archer" "edit=JobTitle=Buyer" save \
        "expect-stored=Ann Archer.BusinessFaxNumber=Fax: 0123 456" expect-window=closed \
        options expect-tabs=Telvane page=Telvane:created >"$host/run.log" 2>&1 || rc=$?
    tr -d '\r' <"$host/run.log" | grep -v ':loaddll:' | sed 's/^/    /'
    check "$1-bit mail client's save scenario" "$rc" 0
    for dll in Telvane.dll TelvanePage.dll; do
        loaded=$(tr -d '\r' <"$host/run.log" | grep -i "Loaded L\".*\\\\$dll\"" |
            sed 's/.*Loaded L"\([^"]*\)".*/\1/' | sed 's/\\\\/\\/g' | sort -u)
        check "$1-bit mail client loads $dll from the installed folder" "$(lower <<<"$loaded")" \
            "$(lower <<<"$3\\$dll")"
    done
}

# Runs the setup with ARGS as typed at a prompt: NSIS takes /D= unquoted, to the end of the line,
# which only cmd passes on so. Its exit code must be EXPECTED, by default 0.
run_setup() { # ARGS... [=EXPECTED]
    local rc=0 expected=0 args=("$@")
    if [[ ${args[-1]} == =* ]]; then
        expected=${args[-1]#=}
        unset 'args[-1]'
    fi
    wine cmd /c "$(winepath -w "$setup") ${args[*]}" || rc=$?
    wineserver -w
    check "setup ${args[*]} exits with $expected" "$rc" "$expected"
}

snapshot before

# A registration that fails (the 32-bit regsvr32 missing): the setup undoes what it did.
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvane'
regsvr32=$prefix/drive_c/windows/syswow64/regsvr32.exe
mv "$regsvr32" "$work/regsvr32.exe"
rc=0
wine "$setup" /S || rc=$?
wineserver -w
mv "$work/regsvr32.exe" "$regsvr32"
check "a failed registration ends the setup with exit code 3" "$rc" 3
check "and leaves no folder" \
    "$(find "$prefix/drive_c" -maxdepth 2 -iname 'Telvane*' | wc -l)" 0
check "and no uninstall entry" "$(regsz 64 "$entry" DisplayName)" none

# The 32-bit DLLs' folder cannot take the 64-bit ones too, which have the same names.
run_setup /S '/D=C:\Program Files (x86)\Telvane' =2
check "and puts nothing there" "$(find "$prefix/drive_c" -maxdepth 2 -iname 'Telvane*' | wc -l)" 0

# A first copy elsewhere; the setup again without a folder stays there; then once more into the
# default folders, where it must take the first copy's place. The switch set in between stays.
old='C:\Telvane Old'
run_setup /S "/D=$old"
check "the first copy is in the folder asked for" \
    "$(test -f "$prefix/drive_c/Telvane Old/Uninstall.exe" && echo there)" there
wine reg add 'HKCR\Software\Merrowind\Telvane\Options' /v Default /t REG_DWORD /d 1 /f >/dev/null
run_setup /S
check "run again, the setup keeps the installed copy's folder" \
    "$(test -f "$prefix/drive_c/Telvane Old/Uninstall.exe" && echo kept)" kept
run_setup /S '/D=C:\Program Files\Telvane'
check "the first copy's folder is gone" "$(test -e "$prefix/drive_c/Telvane Old" && echo there)" ""
check "the switch survives running the setup again" \
    "$(regsz 64 'HKCR\Software\Merrowind\Telvane\Options' Default)" 0x1
snapshot installed
check "one uninstall entry in either view" \
    "$(grep -c '\]  *"DisplayName"="Telvane for Outlook"$' "$work/installed.reg" || true)" 1
check "no registry value names the first copy's folder" \
    "$(grep -ci 'Telvane Old' "$work/installed.reg" || true)" 0

echo "== installed files and registrations"
declare -A folder=([64]='C:\Program Files\Telvane' [32]='C:\Program Files (x86)\Telvane')
declare -A tree=([64]=$build64 [32]=$build32)
declare -A platform=([64]=win64 [32]=win32)
guids=()
for bits in 64 32; do
    dir=$(winepath -u "${folder[$bits]}")
    for dll in Telvane.dll TelvanePage.dll; do
        check "$bits-bit $dll is the built one" \
            "$(cmp -s "$dir/$dll" "${tree[$bits]}/bin/$dll" && echo same)" same
    done
    for class in Telvane.TLConnect:Telvane.dll Telvane.TelvaneAddIn:Telvane.dll \
        TelvanePPE.TelvanePage:TelvanePage.dll; do
        progid=${class%%:*} dll=${folder[$bits]}\\${class#*:}
        clsid=$(regsz "$bits" "HKCR\\$progid\\CLSID")
        server=$(regsz "$bits" "HKCR\\CLSID\\$clsid\\InprocServer32")
        check "$bits-bit $progid is served by $dll" "$(lower <<<"$server")" "$(lower <<<"$dll")"
        check "$bits-bit $progid is an apartment server" \
            "$(regsz "$bits" "HKCR\\CLSID\\$clsid\\InprocServer32" ThreadingModel)" Apartment
        typelib=$(regsz "$bits" "HKCR\\CLSID\\$clsid\\TypeLib")
        library=$(regsz "$bits" "HKCR\\TypeLib\\$typelib\\1.0\\0\\${platform[$bits]}")
        check "$bits-bit type library of $progid is in $dll" \
            "$(lower <<<"$library")" "$(lower <<<"$dll")"
        guids+=("$clsid" "$typelib")
    done
done

addin='HKCU\Software\Microsoft\Office\Outlook\Addins\Telvane.TLConnect'
check "add-in entry LoadBehavior" "$(regsz 64 "$addin" LoadBehavior)" 0x3
check "add-in entry FriendlyName" "$(regsz 64 "$addin" FriendlyName)" "Telvane for Outlook"

uninstaller="${folder[64]}\\Uninstall.exe"
# The setup adds up each folder's size in whole KB, so the sum is taken the same way.
folder_kb() { echo $(($(cat "$(winepath -u "$1")"/* | wc -c) / 1024)); }
size_kb=$(($(folder_kb "${folder[64]}") + $(folder_kb "${folder[32]}")))
while IFS='|' read -r name expected; do
    check "uninstall entry $name" "$(regsz 64 "$entry" "$name")" "$expected"
done <<EOF
DisplayName|Telvane for Outlook
DisplayVersion|$version
DisplayIcon|$uninstaller,0
UninstallString|"$uninstaller"
QuietUninstallString|"$uninstaller" /S
EstimatedSize|$(printf '0x%x' "$size_kb")
NoModify|0x1
NoRepair|0x1
EOF

echo "== the stand-in mail client of each bitness on the installed DLLs"
for bits in 64 32; do
    run_host "$bits" "${tree[$bits]}/bin/outlookhost.exe" "${folder[$bits]}"
done

echo "== silent uninstall"
# The uninstaller runs a copy of itself from the temporary folder and returns at once
# (wineserver -w waits for the copy), which leaves the copy to be deleted at the next restart.
rc=0
wine "$uninstaller" /S || rc=$?
wineserver -w
check "uninstaller exits with 0" "$rc" 0
wine wineboot -r
snapshot after

echo "== registry: before the first install / after the uninstall"
diff "$work/before.reg" "$work/after.reg" >"$work/registry.diff" || true
sed 's/^/    /' "$work/registry.diff"
echo "== file tree: before the first install / after the uninstall"
diff "$work/before.files" "$work/after.files" >"$work/files.diff" || true
sed 's/^/    /' "$work/files.diff"

# Nothing of the product may remain, under any name it had.
for name in Telvane Merrowind $(printf "%s\n" "${guids[@]}" | sort -u); do
    check "nothing left that names $name" \
        "$(grep -ic -- "${name//[{\}]/}" "$work/after.reg" "$work/after.files" | awk -F: '{ n += $2 } END { print n }')" 0
done
# What changes anyway between the two snapshots, each with why; anything else is ours.
#  - DriverDateData of the display adapter: Wine's display driver notes when it started, at
#    each start of a desktop.
noise=$(grep -E '^[<>]' "$work/registry.diff" | grep -v -E \
    -e '^. \[HKLM\\System\\CurrentControlSet\\Control\\Class\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\0000\] "DriverDateData"=hex:' ||
    true)
check "the registry differs only by Wine's own bookkeeping" "$noise" ""
#  - ~nsu<n>.tmp in the temporary folder, empty: the folder of the uninstaller's copy, which the
#    restart deletes but not the folder it was in (NSIS's way of removing its uninstaller).
files=$(grep -E '^[<>]' "$work/files.diff" | grep -v -E '^> \./users/[^/]+/Temp/~nsu[0-9A-Za-z]*\.tmp$' ||
    true)
check "the file tree differs only by NSIS's emptied folder" "$files" ""

echo "== a 32-bit Windows: the 32-bit DLLs alone, in its Program Files folder"
export WINEPREFIX=$work/wineprefix32 WINEARCH=win32
trap 'wineserver -k 2>/dev/null || true; WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT
wine wineboot -i >/dev/null 2>&1
wineserver -w
run_setup /S
only='C:\Program Files\Telvane'
check "32-bit Windows: the only folder of ours" \
    "$(cd "$WINEPREFIX/drive_c" && find . -maxdepth 2 -iname 'Telvane*')" "./Program Files/Telvane"
check "32-bit Windows: Telvane.dll is the i686 one" \
    "$(cmp -s "$(winepath -u "$only")/Telvane.dll" "$build32/bin/Telvane.dll" && echo same)" same
check "32-bit Windows: uninstall entry" "$(regsz 32 "$entry" QuietUninstallString)" \
    "\"$only\\Uninstall.exe\" /S"
run_host 32 "$build32/bin/outlookhost.exe" "$only"
rc=0
wine "$only\\Uninstall.exe" /S || rc=$?
wineserver -w
check "32-bit Windows: uninstaller exits with 0" "$rc" 0
check "32-bit Windows: nothing left that names Telvane or Merrowind" \
    "$(cat "$WINEPREFIX"/*.reg | grep -ci 'telvane\|merrowind'; cd "$WINEPREFIX/drive_c" && find . -iname '*Telvane*')" 0

echo "setup test: $((SECONDS - started)) s in the fresh prefixes"
if ((failures)); then
    echo "Setup test failed: $failures checks."
    exit 1
fi
echo "Setup test passed."
