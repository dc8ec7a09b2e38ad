#!/usr/bin/env bash
# sign.sh FILE...: gives each FILE (a DLL, a setup program or a Windows Installer package) an
# Authenticode signature, SHA-256, in place, with osslsigncode, when TELVANE_SIGN_PKCS12 names a
# PKCS#12 file holding a code-signing certificate and its key; TELVANE_SIGN_PASSWORD is its
# password (empty if it has none). TELVANE_SIGN_TIMESTAMP, when set, is the URL of an RFC 3161
# time-stamping server, which the build machine must be able to reach: a signature with a time
# stamp stays valid after the certificate expires. Without a certificate every FILE is left as it
# is and the script says so; that is not a failure, so that every build can call it.
set -euo pipefail
if [ -z "${TELVANE_SIGN_PKCS12:-}" ]; then
    for file in "$@"; do
        echo "unsigned (TELVANE_SIGN_PKCS12 is not set): $(basename "$file")"
    done
    exit 0
fi
[ -f "$TELVANE_SIGN_PKCS12" ] || { echo "no certificate file $TELVANE_SIGN_PKCS12"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password goes through a file only this user can read, not the command line, which every
# user of the machine can see.
(umask 077 && printf '%s' "${TELVANE_SIGN_PASSWORD:-}" >"$work/password")
timestamp=()
[ -n "${TELVANE_SIGN_TIMESTAMP:-}" ] && timestamp=(-ts "$TELVANE_SIGN_TIMESTAMP")
for file in "$@"; do
    name=$(basename "$file")
    # A file signed before (a rebuilt setup over signed DLLs keeps none, but a second run of this
    # script would) gets its one signature replaced rather than a second one beside it.
    source=$file
    if osslsigncode extract-signature -in "$file" -out "$work/old.sig" >/dev/null 2>&1; then
        osslsigncode remove-signature -in "$file" -out "$work/unsigned" >/dev/null
        source=$work/unsigned
    fi
    osslsigncode sign -pkcs12 "$TELVANE_SIGN_PKCS12" -readpass "$work/password" -h sha256 \
        -n "Telvane for Outlook" "${timestamp[@]}" \
        -in "$source" -out "$work/$name" >/dev/null
    mv "$work/$name" "$file"
    rm -f "$work/unsigned" "$work/old.sig"
    echo "signed: $name"
done
