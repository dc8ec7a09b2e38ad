#!/usr/bin/env bash
# installer-test.sh BUILD64 BUILD32 [RELEASE64 RELEASE32]: builds what ships with package.sh in
# the Release trees (by default build-release-win64 and build-release-win32 in the checkout),
# signed with a throwaway self-signed certificate, and checks the stripped DLLs, their debug
# files, the import and export tables (package.sh's build does), every signature, and that an
# unsigned build stays so. Then, in a fresh Wine prefix: checks that a setup whose registration
# fails undoes itself; installs the setup program silently into another folder, runs it again
# over that copy in place and then into the default folders; checks the files, the
# registrations of both bitnesses, the add-in entry and the one uninstall entry; runs the
# stand-in mail client of each bitness (from BUILD64 and BUILD32) on the installed DLLs through a
# save; uninstalls silently; and compares a full registry export and the file tree with those
# taken before the first install. Then the setup just for the user (/CURRENTUSER): nothing
# outside HKCU and the user's profile, the user's classes the same as the machine's were, the
# 64-bit stand-in through the tab's switch and a save, and the user's uninstall back to the state
# before. In the same prefix the 64-bit Windows Installer package
# replaces an older one built here, with the switch preset, and is checked the same way, its
# classes against what the setup's regsvr32 wrote; then the 32-bit Windows gets the setup and
# the 32-bit package. Prints "Setup test passed." at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build64=$(cd "$1" && pwd)
build32=$(cd "$2" && pwd)
rel64=${3:-$root/build-release-win64}
rel32=${4:-$root/build-release-win32}

if [ -z "${DISPLAY:-}" ]; then
    # The options page is a window: the whole Wine session gets one display.
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

version=$(sed -n 's/^project(Telvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
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

echo "== what ships, $version, signed with a throwaway certificate"
started=$SECONDS
signing=$(mktemp -d)
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$signing/key.pem" -out "$signing/cert.pem" \
    -days 2 -subj "/CN=Telvane test signing" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
password=$(openssl rand -hex 12)
openssl pkcs12 -export -inkey "$signing/key.pem" -in "$signing/cert.pem" -out "$signing/sign.p12" \
    -passout "pass:$password"
TELVANE_SIGN_PKCS12=$signing/sign.p12 TELVANE_SIGN_PASSWORD=$password "$here/package.sh" "$rel64" "$rel32"
rel64=$(cd "$rel64" && pwd)
rel32=$(cd "$rel32" && pwd)
setup=$rel64/TelvaneSetup-$version.exe
msi64=$rel64/Telvane-$version-x64.msi
msi86=$rel64/Telvane-$version-x86.msi
declare -A ship=([64]=$rel64/ship [32]=$rel32/ship)
declare -A triplet=([64]=x86_64-w64-mingw32 [32]=i686-w64-mingw32)
for bits in 64 32; do
    for dll in Telvane.dll TelvanePage.dll; do
        file=${ship[$bits]}/$dll
        check "$bits-bit $dll carries no debug information" \
            "$("${triplet[$bits]}-objdump" -h "$file" | grep -c ' \.debug_' || true)" 0
        # The link is the debug file's name, padding and its CRC-32, little-endian, as a gzip
        # stream's trailer holds it.
        "${triplet[$bits]}-objcopy" --dump-section .gnu_debuglink="$signing/link" "$file" "$signing/copy"
        crc=$(gzip -1 -c "$file.debug" | tail -c 8 | head -c 4 | od -An -tx1 | tr -d ' \n')
        check "$bits-bit $dll links its debug file" \
            "$(tr '\0' '\n' <"$signing/link" | head -n 1) $(tail -c 4 "$signing/link" | od -An -tx1 | tr -d ' \n')" \
            "$dll.debug $crc"
        check "$bits-bit $dll.debug holds the debug information" \
            "$("${triplet[$bits]}-objdump" -h "$file.debug" | grep -c ' \.debug_info' || true)" 1
    done
done
for file in "${ship[64]}"/*.dll "${ship[32]}"/*.dll "$setup" "$msi64" "$msi86"; do
    check "$(basename "$(dirname "$file")")/$(basename "$file") has a valid signature" \
        "$(osslsigncode verify -CAfile "$signing/cert.pem" -in "$file" >/dev/null 2>&1 && echo valid)" valid
done
# Without a certificate nothing is signed, and the build says so.
osslsigncode remove-signature -in "${ship[32]}/Telvane.dll" -out "$signing/unsigned.dll" >/dev/null
cp "$signing/unsigned.dll" "$signing/copy.dll"
said=$(env -u TELVANE_SIGN_PKCS12 "$here/sign.sh" "$signing/copy.dll")
check "without a certificate the build says it is unsigned" "$said" \
    "unsigned (TELVANE_SIGN_PKCS12 is not set): copy.dll"
check "and leaves the file as it was" "$(cmp -s "$signing/unsigned.dll" "$signing/copy.dll" && echo same)" same
check "which has no signature" \
    "$(osslsigncode verify -CAfile "$signing/cert.pem" -in "$signing/copy.dll" >/dev/null 2>&1 || echo none)" none
check "the setup program is at most 2 MB" "$(($(stat -c %s "$setup") <= 2 * 1024 * 1024))" 1
echo "packaging and signing: $((SECONDS - started)) s"

work=$rel64/setup-test
prefix=$work/wineprefix
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$prefix" ] && wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$signing"' EXIT
started=$SECONDS
"$here/wine-prefix.sh" "$prefix"
# Wine's first start after creating a prefix rewrites some of its own keys (display adapters,
# links): the snapshot before comes after one restart, as the one after does.
wine wineboot -r
wineserver -w

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
            line != "" && key != "" { print key " " line }' "$WINEPREFIX/${hive%%:*}.reg"
    done | sort -u >"$work/$1.reg"
    (cd "$WINEPREFIX/drive_c" && find . | sort) >"$work/$1.files"
}

# Runs the stand-in mail client HOST of BITS through a save and the options tab, from a folder
# of its own with no DLL beside it, and checks that it loaded both DLLs from FOLDER. SWITCH is
# what the run first stores as the switch, "switch=1" unless given; empty: the switch as the
# install left it. The run's log is left in $host_log.
run_host() { # BITS HOST FOLDER [SWITCH]
    local host rc=0 dll loaded steps=("${4-switch=1}")
    [ -z "${steps[0]}" ] && steps=()
    host=$(mktemp -d "$work/host$1.XXXX")
    host_log=$host/run.log
    cp "$2" "$host/"
    WINEDEBUG=-all,+loaddll wine "$host/outlookhost.exe" "${steps[@]}" start \
        expect-addin=Telvane.TLConnect:connected "open=Ann Archer" "edit=JobTitle=Buyer" save \
        "expect-stored=Ann Archer.BusinessFaxNumber=Fax: 0123 456" expect-window=closed \
        options expect-tabs=Telvane page=Telvane:created >"$host_log" 2>&1 || rc=$?
    tr -d '\r' <"$host_log" | grep -v ':loaddll:' | sed 's/^/    /'
    check "$1-bit mail client's save scenario" "$rc" 0
    for dll in Telvane.dll TelvanePage.dll; do
        loaded=$(tr -d '\r' <"$host_log" | grep -i "Loaded L\".*\\\\$dll\"" |
            sed 's/.*Loaded L"\([^"]*\)".*/\1/' | sed 's/\\\\/\\/g' | sort -u)
        check "$1-bit mail client loads $dll from the installed folder" "$(lower <<<"$loaded")" \
            "$(lower <<<"$3\\$dll")"
    done
}

# Runs the uninstaller EXE silently (checked as WHAT), restarts Wine so that the copy it ran
# from goes, and takes the snapshot NAME.
uninstall_silently() { # EXE WHAT NAME
    local rc=0
    wine "$1" /S || rc=$?
    wineserver -w
    check "$2 exits with 0" "$rc" 0
    wine wineboot -r
    snapshot "$3"
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
            "$(cmp -s "$dir/$dll" "${ship[$bits]}/$dll" && echo same)" same
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
uninstall_silently "$uninstaller" "uninstaller" after

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

# The classes DllRegisterServer wrote for the machine (less the installer's own records of
# products). HELPDIR is the one difference in form: a folder property of the installer ends in "\".
classes() { # BEFORE AFTER
    comm -13 "$work/$1.reg" "$work/$2.reg" | grep '^\[HKLM\\Software\\Classes\\' |
        grep -v -i -E -e '^\[HKLM\\Software\\Classes\\Software\\Merrowind' \
            -e '^\[HKLM\\Software\\Classes\\(Wow6432Node\\)?Installer\\' |
        sed -E 's/^(\[[^]]*\\HELPDIR\] @=".*)\\\\"$/\1"/I' | lower | sort
}
classes before installed >"$work/classes-setup.txt"

# The setup per user, in a file of its own that runs in this shell.
# shellcheck source=scripts/windows/installer-test-user.sh
source "$root/scripts/windows/installer-test-user.sh"

echo "== Windows Installer package, 64-bit Windows, in the same prefix"
# Runs msiexec with ARGS; its exit code must be EXPECTED, by default 0.
run_msiexec() { # ARGS... [=EXPECTED]
    local rc=0 expected=0 args=("$@")
    if [[ ${args[-1]} == =* ]]; then
        expected=${args[-1]#=}
        unset 'args[-1]'
    fi
    wine msiexec "${args[@]}" || rc=$?
    wineserver -w
    check "msiexec ${args[*]##*/} exits with $expected" "$rc" "$expected"
}
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
addin_hklm='HKLM\Software\Microsoft\Office\Outlook\Addins\Telvane.TLConnect'
options_hklm='HKLM\Software\Classes\Software\Merrowind\Telvane\Options'
options_hkcu='HKCU\Software\Classes\Software\Merrowind\Telvane\Options'
# An older version of the package, built from the same sources, which the current one replaces.
old_version=${version%.*}.$((${version##*.} - 1))
old_msi=$work/Telvane-$old_version-x64.msi
(cd "$root/installer" && wixl -a x64 -D Arch=x64 -D Version="$old_version" \
    -D Ship64="$(realpath --relative-to=. "${ship[64]}")" \
    -D Ship32="$(realpath --relative-to=. "${ship[32]}")" -I "$rel64/registration-rows" \
    -o "$old_msi" Telvane.wxs)
snapshot msi-before
run_msiexec /i "$(winepath -w "$old_msi")" /qn
check "the older package is listed" "$(regsz 64 "$arp\\$(product_code "$old_msi")" DisplayVersion)" "$old_version"
run_msiexec /i "$(winepath -w "$msi64")" /qn SUPPRESSFAXNUMBERS=1
check "the current package replaced it" "$(regsz 64 "$arp\\$(product_code "$old_msi")" DisplayVersion)" none
code64=$(product_code "$msi64")
check "the current package is listed" "$(regsz 64 "$arp\\$code64" DisplayVersion)" "$version"
snapshot msi-installed
check "one entry among the installed programs" "$(grep -c -E \
    '^\[HKLM\\Software\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\Uninstall\\[^]]*\]  *"DisplayName"="Telvane for Outlook"$' \
    "$work/msi-installed.reg" || true)" 1
for bits in 64 32; do
    for dll in Telvane.dll TelvanePage.dll; do
        check "$bits-bit $dll installed from the package" \
            "$(cmp -s "$(winepath -u "${folder[$bits]}")/$dll" "${ship[$bits]}/$dll" && echo same)" same
    done
    check "$bits-bit view: the add-in entry for every user" "$(regsz "$bits" "$addin_hklm" LoadBehavior)" 0x3
    check "$bits-bit view: the machine's preset" "$(regsz "$bits" "$options_hklm" Default)" 0x1
done
check "no add-in entry of the user's" \
    "$(regsz 64 'HKCU\Software\Microsoft\Office\Outlook\Addins\Telvane.TLConnect' LoadBehavior)" none
# The classes the package wrote, against those the setup's regsvr32 wrote into the same folders.
classes msi-before msi-installed >"$work/classes-package.txt"
diff "$work/classes-setup.txt" "$work/classes-package.txt" >"$work/classes.diff" || true
sed 's/^/    /' "$work/classes.diff"
check "the package's classes are what DllRegisterServer writes ($(wc -l <"$work/classes-setup.txt") lines)" \
    "$(wc -l <"$work/classes.diff")" 0
# Each user's first logon runs the Active Setup command once; here it runs as that logon would.
stub=$(regsz 32 'HKLM\Software\Microsoft\Active Setup\Installed Components\Telvane.Options' StubPath)
# The command line as Windows would start it: from a batch file, which cmd takes unchanged.
printf '%s\r\n' "$stub" >"$work/first-logon.bat"
rc=0
wine cmd /c "$(winepath -w "$work/first-logon.bat")" >/dev/null || rc=$?
wineserver -w
check "the first logon's command runs" "$rc" 0
check "and gives the user's classes the switch, preset" "$(regsz 64 "$options_hkcu" Default)" 0x1
for bits in 64 32; do
    # No switch is stored first: the save follows the preset; no HKCU entry: HKLM's is used.
    run_host "$bits" "${tree[$bits]}/bin/outlookhost.exe" "${folder[$bits]}" ""
    check "$bits-bit mail client loads the add-in from the HKLM entry" \
        "$(tr -d '\r' <"$host_log" | grep -c 'add-in Telvane.TLConnect connected (HKLM entry)')" 1
done
# The same package again repairs: a lost DLL comes back. (Wine's msiexec /fa fails where this,
# its equivalent, works.)
rm "$(winepath -u "${folder[64]}")/TelvanePage.dll"
run_msiexec /i "$(winepath -w "$msi64")" REINSTALL=ALL REINSTALLMODE=amus /qn
check "the repair put the lost DLL back" \
    "$(cmp -s "$(winepath -u "${folder[64]}")/TelvanePage.dll" "${ship[64]}/TelvanePage.dll" && echo same)" same
run_msiexec /x "$(winepath -w "$msi64")" /qn
wine wineboot -r
snapshot msi-after
diff "$work/msi-before.reg" "$work/msi-after.reg" >"$work/msi-registry.diff" || true
sed 's/^/    /' "$work/msi-registry.diff"
#  - the user's own switch, which the first logon made and the user may have changed: the
#    Windows Installer removes only what it wrote, and per user nothing;
#  - the keys, without values, where the Windows Installer keeps its records of products;
#  - HKCU\Console: Wine's console settings, written when cmd ran the first logon's command.
noise=$(grep -E '^[<>]' "$work/msi-registry.diff" | grep -v -E \
    -e '^> \[HKCU\\Console\]' \
    -e '^> \[HKLM\\Software\\Classes\\Installer\\(Features|Products|UpgradeCodes)\]$' \
    -e '^> \[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\(UpgradeCodes|UserData\\S-1-5-18\\(Components|Products))\]$' \
    -e '^. \[HKLM\\System\\CurrentControlSet\\Control\\Class\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\0000\] "DriverDateData"=hex:' \
    -e '^> \[HKCU\\Software\\Classes\\Software(\\Merrowind(\\Telvane(\\Options)?)?)?\]' ||
    true)
check "after msiexec /x the registry differs only by Wine's bookkeeping and the user's switch" "$noise" ""
check "and no file of ours is left" \
    "$(diff "$work/msi-before.files" "$work/msi-after.files" | grep -ci telvane || true)" 0

echo "== a 32-bit Windows: the 32-bit DLLs alone, in its Program Files folder"
export WINEPREFIX=$work/wineprefix32 WINEARCH=win32
trap 'wineserver -k 2>/dev/null || true; WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; rm -rf "$signing"' EXIT
wine wineboot -i >/dev/null 2>&1
wineserver -w
run_setup /S
only='C:\Program Files\Telvane'
check "32-bit Windows: the only folder of ours" \
    "$(cd "$WINEPREFIX/drive_c" && find . -maxdepth 2 -iname 'Telvane*')" "./Program Files/Telvane"
check "32-bit Windows: Telvane.dll is the i686 one" \
    "$(cmp -s "$(winepath -u "$only")/Telvane.dll" "${ship[32]}/Telvane.dll" && echo same)" same
check "32-bit Windows: uninstall entry" "$(regsz 32 "$entry" QuietUninstallString)" \
    "\"$only\\Uninstall.exe\" /S"
run_host 32 "$build32/bin/outlookhost.exe" "$only"
rc=0
wine "$only\\Uninstall.exe" /S || rc=$?
wineserver -w
check "32-bit Windows: uninstaller exits with 0" "$rc" 0
check "32-bit Windows: nothing left that names Telvane or Merrowind" \
    "$(cat "$WINEPREFIX"/*.reg | grep -ci 'telvane\|merrowind'; cd "$WINEPREFIX/drive_c" && find . -iname '*Telvane*')" 0


echo "== Windows Installer package, 32-bit Windows"
snapshot msi32-before
# 1603, of which Wine passes on only the low byte, 67.
run_msiexec /i "$(winepath -w "$msi86")" /qn SUPPRESSFAXNUMBERS=2 =67
check "a preset other than 0 or 1 installs nothing" "$(regsz 32 "$addin_hklm" LoadBehavior)" none
run_msiexec /i "$(winepath -w "$msi86")" /qn SUPPRESSFAXNUMBERS=1
check "32-bit Windows: the package's Telvane.dll is the i686 one" \
    "$(cmp -s "$(winepath -u "$only")/Telvane.dll" "${ship[32]}/Telvane.dll" && echo same)" same
check "32-bit Windows: the add-in entry for every user" "$(regsz 32 "$addin_hklm" LoadBehavior)" 0x3
run_host 32 "$build32/bin/outlookhost.exe" "$only" ""
check "32-bit Windows: the mail client loads the add-in from the HKLM entry" \
    "$(tr -d '\r' <"$host_log" | grep -c 'add-in Telvane.TLConnect connected (HKLM entry)')" 1
run_msiexec /x "$(winepath -w "$msi86")" /qn
snapshot msi32-after
names=$(printf '%s\n' Telvane Merrowind "${guids[@]//[{\}]/}" | sort -u | paste -sd '|')
check "32-bit Windows: after msiexec /x nothing of ours is left" \
    "$({ diff "$work/msi32-before.reg" "$work/msi32-after.reg"
        diff "$work/msi32-before.files" "$work/msi32-after.files"; } | grep -ciE "$names" || true)" 0

echo "setup test: $((SECONDS - started)) s in the fresh prefixes"
if ((failures)); then
    echo "Setup test failed: $failures checks."
    exit 1
fi
echo "Setup test passed."
