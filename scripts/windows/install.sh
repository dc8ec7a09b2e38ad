#!/usr/bin/env bash
# Installs what the Windows build and its Wine test runs need, when missing (Debian, root).
set -euo pipefail

packages=(cmake ninja-build mingw-w64 mingw-w64-tools libwine-dev wine wine64 fonts-wine xvfb
          googletest)

# The i686 test programs need 32-bit Wine (a win64 prefix then runs them too).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for 32-bit Wine"
    dpkg --add-architecture i386
fi
packages+=(wine32:i386)
packages+=(nsis)  # makensis, for the setup program
# wixl for the Windows Installer packages, osslsigncode and openssl to sign and check them.
packages+=(msitools wixl osslsigncode openssl)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

