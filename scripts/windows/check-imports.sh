#!/usr/bin/env bash
# check-imports.sh OBJDUMP ARCH DLL LIST: fails when DLL (built for ARCH, i686 or x86_64) imports
# a function that LIST does not name. LIST holds the imports the DLL may use, each a function
# that Windows XP SP3 has: one "dll function" per line, with an optional third column i686 or
# x86_64 for an import that only that architecture's build needs; "#" starts a comment. DLL
# names compare without regard to case.
set -euo pipefail
export LC_ALL=C
objdump=$1
arch=$2
dll=$3
list=$4

[ -f "$list" ] || { echo "$(basename "$dll") ($arch): no list of allowed imports at $list"; exit 1; }

# objdump -p prints each imported DLL as "\tDLL Name: X.dll" followed by one line per function,
# "\t<vma>\t <hint>  <name>" ("<none>" as the name for an import by ordinal).
imports=$("$objdump" -p "$dll" | awk '
    /^\tDLL Name:/ { dll = tolower($3); next }
    dll && /^\t[0-9a-fA-F]+\t/ {
        name = $NF
        if (name == "<none>") name = "#" $(NF - 1)
        print dll, name
        next
    }
    dll && NF == 0 { dll = "" }
' | sort -u)

if [ -z "$imports" ]; then
    echo "$(basename "$dll") ($arch): objdump listed no imports"
    exit 1
fi

allowed=$(awk -v arch="$arch" '
    { sub(/#.*/, "") }
    NF >= 2 && (NF == 2 || $3 == arch) { print tolower($1), $2 }
' "$list" | sort -u)

unlisted=$(comm -23 <(echo "$imports") <(echo "$allowed"))
if [ -n "$unlisted" ]; then
    echo "$(basename "$dll") ($arch) imports functions that are not on $list:"
    echo "$unlisted" | sed 's/^/    /'
    echo "Add each one there only if Windows XP SP3 has it (the platform documentation's minimum"
    echo "client), with the reason in the commit; otherwise use what XP has."
    exit 1
fi
echo "$(basename "$dll") ($arch): all $(echo "$imports" | wc -l) imports are on $(basename "$list")"
