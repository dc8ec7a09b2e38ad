#!/usr/bin/env bash
# check-exports.sh OBJDUMP DLL: checks on the build host that DLL exports exactly the five entry
# points of an in-process server at ordinals 1 to 5, whatever its architecture.
set -euo pipefail
objdump=$1
dll=$2

expected="1 DllCanUnloadNow
2 DllGetClassObject
3 DllRegisterServer
4 DllUnregisterServer
5 DllInstall"

# objdump prints the name table as "[   0] +base[   1]  0000 Name" (newer) or "[   0] Name"
# (older, with the ordinal base printed separately).
actual=$("$objdump" -p "$dll" | awk '
    /^Export Address Table -- Ordinal Base/ { base = $NF }
    /\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
    names && /^\t\[/ {
        gsub(/[][]/, " ")
        print $1 + base, $NF
        next
    }
    names && NF == 0 { names = 0 }
' | sort -n)

if [ "$actual" != "$expected" ]; then
    echo "$dll: unexpected exports:"
    echo "$actual"
    exit 1
fi
echo "$dll: exports DllCanUnloadNow @1, DllGetClassObject @2, DllRegisterServer @3, DllUnregisterServer @4, DllInstall @5"
