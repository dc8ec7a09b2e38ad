# Sourced by installer-test.sh after its per-machine setup's uninstall, in the same prefix and
# with its functions and variables: the setup just for the user who runs it (/CURRENTUSER).
# shellcheck shell=bash disable=SC2154
echo "== the setup just for the user who runs it (/CURRENTUSER), in the same prefix"
profile=$(wine cmd /c 'echo %USERPROFILE%' | tr -d '\r')
local_data=$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
profile_rel=./$(realpath --relative-to="$prefix/drive_c" "$(winepath -u "$profile")")
declare -A user_folder=([64]="$local_data\\Programs\\Telvane" [32]="$local_data\\Programs\\Telvane\\x86")
user_entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvane'
addin_hklm='HKLM\Software\Microsoft\Office\Outlook\Addins\Telvane.TLConnect'
snapshot user-before
run_setup /S /CURRENTUSER
snapshot user-installed
# Every key and value the install added or changed, and every file, must be the user's.
comm -13 "$work/user-before.reg" "$work/user-installed.reg" >"$work/user-added.reg"
comm -23 "$work/user-before.reg" "$work/user-installed.reg" >"$work/user-removed.reg"
outside=$(cat "$work/user-added.reg" "$work/user-removed.reg" | grep -v -e '^\[HKCU\\' -e \
    '^\[HKLM\\System\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000\] "DriverDateData"=hex:' ||
    true)
check "just for the user: nothing written outside HKCU ($(wc -l <"$work/user-added.reg") lines added)" \
    "$outside" ""
check "and nothing in HKCU taken away" "$(grep -c '^\[HKCU\\' "$work/user-removed.reg" || true)" 0
outside=$(comm -3 "$work/user-before.files" "$work/user-installed.files" | sed 's/^\t//' |
    grep -v -i -F -e "$profile_rel/" || true)
check "and no file outside the user's profile ($profile)" "$outside" ""
for bits in 64 32; do
    for dll in Telvane.dll TelvanePage.dll; do
        check "just for the user: $bits-bit $dll in the user's local application data" \
            "$(cmp -s "$(winepath -u "${user_folder[$bits]}")/$dll" "${ship[$bits]}/$dll" && echo same)" same
    done
done
check "the user's add-in entry" "$(regsz 64 "$addin" LoadBehavior)" 0x3
check "no add-in entry for every user" "$(regsz 64 "$addin_hklm" LoadBehavior)" none
user_uninstaller="${user_folder[64]}\\Uninstall.exe"
while IFS='|' read -r name expected; do
    check "the user's uninstall entry $name" "$(regsz 64 "$user_entry" "$name")" "$expected"
done <<END
DisplayName|Telvane for Outlook
DisplayVersion|$version
InstallLocation|${user_folder[64]}
InstallLocation32|${user_folder[32]}
QuietUninstallString|"$user_uninstaller" /S
END
check "no uninstall entry for every user" "$(regsz 64 "$entry" DisplayName)" none
check "the switch's key is in the user's classes, with no value" \
    "$(grep -i '^\[HKCU\\Software\\Classes\\Software\\Merrowind\\Telvane\\Options\]' "$work/user-added.reg")" \
    "[HKCU\\Software\\Classes\\Software\\Merrowind\\Telvane\\Options]"
# The user's classes hold what DllRegisterServer wrote into the machine's for the setup per
# machine, key for key and value for value, with the folders of the user's copy. Wine keeps one
# view of the user's classes for both bitnesses (Windows redirects the 32-bit CLSID and
# Interface keys), so there the 64-bit registration, made last, stands for both: the machine's
# 32-bit view is left out, and HELPDIR, one key that each bitness writes its folder into, is
# compared without its value.
without_helpdir() { sed -E 's/^(\[[^]]*\\helpdir\] @=).*/\1/'; }
user_classes() { # FILE
    grep '^\[HKCU\\Software\\Classes\\' "$1" |
        grep -v -i -e '^\[HKCU\\Software\\Classes\\Software\\Merrowind' |
        sed -E 's/^\[HKCU\\Software\\Classes\\/[HKLM\\Software\\Classes\\/' |
        FROM32=${user_folder[32]//\\/\\\\} FROM64=${user_folder[64]//\\/\\\\} \
            TO32=${folder[32]//\\/\\\\} TO64=${folder[64]//\\/\\\\} \
            perl -pe 's/\Q$ENV{FROM32}\E/$ENV{TO32}/gi; s/\Q$ENV{FROM64}\E/$ENV{TO64}/gi' |
        lower | without_helpdir | sort
}
user_classes "$work/user-added.reg" >"$work/classes-user.txt"
grep -v -F '\wow6432node\' "$work/classes-setup.txt" | without_helpdir | sort |
    diff - "$work/classes-user.txt" >"$work/classes-user.diff" || true
sed 's/^/    /' "$work/classes-user.diff"
check "the user's classes are what DllRegisterServer writes for the machine ($(wc -l <"$work/classes-user.txt") lines)" \
    "$(wc -l <"$work/classes-user.diff")" 0
# DllInstall takes "user" and nothing else: another command line registers nothing anywhere.
rc=0
wine regsvr32 /s /n /i:everyone "${user_folder[64]}\\Telvane.dll" || rc=$?
wineserver -w
check "regsvr32 /n /i:everyone fails in DllInstall" "$rc" 5
check "and writes no class into the machine's classes" \
    "$(regsz 64 'HKLM\Software\Classes\Telvane.TLConnect\CLSID')" none

echo "== the 64-bit mail client on the user's copy"
# Wine's COM reads classes from HKLM\Software\Classes alone, where Windows reads the user's
# HKCU\Software\Classes merged over them: under Wine the user's registration is not found.
host=$(mktemp -d "$work/host-user.XXXX")
cp "${tree[64]}/bin/outlookhost.exe" "$host/"
wine "$host/outlookhost.exe" start expect-addin=Telvane.TLConnect:failed >"$host/run.log" 2>&1 || true
check "Wine's COM does not find classes registered in the user's classes alone" \
    "$(tr -d '\r' <"$host/run.log" | grep -c 'add-in Telvane.TLConnect: CLSIDFromProgID failed')" 1
# So the run gets the view Windows would give it: the user's keys, as the install wrote them,
# copied into the machine's classes, and removed again after the run. (Wine shares the user's
# classes between the two views, so the 64-bit registration, made last, is the one there; the
# 32-bit mail client cannot be run on it here.)
{
    echo 'REGEDIT4'
    grep '^\[HKCU\\Software\\Classes\\' "$work/user-added.reg" |
        grep -v -i '^\[HKCU\\Software\\Classes\\Software\\Merrowind' |
        awk '{
            key = substr($0, 1, index($0, "]"))
            sub(/^\[HKCU\\Software\\Classes\\/, "[HKEY_LOCAL_MACHINE\\Software\\Classes\\", key)
            if (key != last) { print ""; print key; last = key }
            value = substr($0, index($0, "]") + 2)
            if (value != "") print value
        }'
} >"$work/user-classes-merged.reg"
wine reg import "$(winepath -w "$work/user-classes-merged.reg")" /reg:64
wineserver -w
rc=0
WINEDEBUG=-all,+loaddll wine "$host/outlookhost.exe" start expect-addin=Telvane.TLConnect:connected \
    options choose-tab=Telvane "click=Suppress fax numbers when Contacts created or updated" \
    click=Apply expect-switch=1 click=OK expect-options=closed "open=Ann Archer" \
    "edit=JobTitle=Buyer" save "expect-stored=Ann Archer.BusinessFaxNumber=Fax: 0123 456" \
    expect-window=closed >"$host/run.log" 2>&1 || rc=$?
tr -d '\r' <"$host/run.log" | grep -v ':loaddll:' | sed 's/^/    /'
check "the user's mail client: the tab stores the switch, a save follows it" "$rc" 0
check "and it loaded the add-in from the user's entry" \
    "$(tr -d '\r' <"$host/run.log" | grep -c 'add-in Telvane.TLConnect connected$')" 1
for dll in Telvane.dll TelvanePage.dll; do
    loaded=$(tr -d '\r' <"$host/run.log" | grep -i "Loaded L\".*\\\\$dll\"" |
        sed 's/.*Loaded L"\([^"]*\)".*/\1/' | sed 's/\\\\/\\/g' | sort -u || true)
    check "the user's mail client loads $dll from the user's folder" "$(lower <<<"$loaded")" \
        "$(lower <<<"${user_folder[64]}\\$dll")"
done
# The copies go again, and the switch the tab wrote where Wine's HKEY_CLASSES_ROOT is.
grep '^\[HKEY_LOCAL_MACHINE' "$work/user-classes-merged.reg" | tr -d '[]' |
    sed -E 's/^(HKEY_LOCAL_MACHINE\\Software\\Classes\\((CLSID|TypeLib|Interface)\\)?[^\\]*).*/\1/I' |
    sort -u | while read -r key; do
        wine reg delete "$key" /reg:64 /f >/dev/null 2>&1 || true
    done
wine reg delete 'HKLM\Software\Classes\Software\Merrowind' /reg:64 /f >/dev/null 2>&1 || true
grep -q -i '^\[HKLM\\Software\\Classes\\Software\]' "$work/user-installed.reg" ||
    wine reg delete 'HKLM\Software\Classes\Software' /reg:64 /f >/dev/null 2>&1 || true
snapshot user-ran
check "and the machine's registry is as the install left it" \
    "$(diff <(grep '^\[HKLM' "$work/user-installed.reg") <(grep '^\[HKLM' "$work/user-ran.reg") |
        grep -E '^[<>]' | grep -v -c 'DriverDateData' || true)" 0

echo "== the user's silent uninstall"
uninstall_silently "$user_uninstaller" "the user's uninstaller" user-after
diff "$work/user-before.reg" "$work/user-after.reg" >"$work/user-registry.diff" || true
sed 's/^/    /' "$work/user-registry.diff"
diff "$work/user-before.files" "$work/user-after.files" >"$work/user-files.diff" || true
sed 's/^/    /' "$work/user-files.diff"
# The same bookkeeping of Wine's and of NSIS's as after the uninstall per machine.
noise=$(grep -E '^[<>]' "$work/user-registry.diff" | grep -v -E \
    -e '^. \[HKLM\\System\\CurrentControlSet\\Control\\Class\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\0000\] "DriverDateData"=hex:' ||
    true)
check "after the user's uninstall the registry differs only by Wine's own bookkeeping" "$noise" ""
files=$(grep -E '^[<>]' "$work/user-files.diff" | grep -v -E '^> \./users/[^/]+/Temp/~nsu[0-9A-Za-z]*\.tmp$' ||
    true)
check "and the file tree only by NSIS's emptied folder" "$files" ""
