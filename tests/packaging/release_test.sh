#!/usr/bin/env bash
# The release as scripts/package makes it, in a second build folder at
# another path and at another time than the tree under test:
#   release_test.sh reproducible ROOT DIST BUILD
#       the same program and zip as in DIST, and an installer with the same
#       tables (but the summary's time and package code) and files, and
#       the same template folder, every language in it
#   release_test.sh signed ROOT DIST BUILD
#       signed with a throwaway certificate: the program in the zip, the one
#       in the installer and the installer verify against it; a wrong
#       password stops the build with the reason; SHA256SUMS lists and
#       checks every file
set -euo pipefail
mode=$1 root=$2 dist=$3 build=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
release=$build/release
one() { compgen -G "$1" | head -1; }

package() {
    QUILLON_PACKAGE_BUILD=$build QUILLON_DIST=$release "$root/scripts/package"
}

# Into a new folder: each table of the installer as text, with its binary
# fields as files beside it, and the files it installs.
unpack() (
    mkdir "$2" && cd "$2"
    for table in $(msiinfo tables "$1"); do msiinfo export "$1" "$table" >"$table.idt"; done
    rm _SummaryInformation.idt
    msiextract -C files "$1" >/dev/null
)

if [ "$mode" = reproducible ]; then
    QUILLON_SIGN_PKCS12='' QUILLON_SIGN_PASSWORD_FILE='' package >"$work/log" || { cat "$work/log"; exit 1; }
    cmp "$(dirname "$dist")/quillon.exe" "$build/quillon.exe"
    cmp "$(one "$dist/*.zip")" "$(one "$release/*.zip")"
    unpack "$(one "$dist/*.msi")" "$work/first"
    unpack "$(one "$release/*.msi")" "$work/second"
    diff -r "$work/first" "$work/second"
    diff -r "$dist/policy" "$release/policy"
    echo "Same program, zip, installer tables and files, template in every language"
    exit 0
fi

password='correct horse battery staple'
echo "$password" >"$work/password"
echo 'not the password' >"$work/wrong"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 1 \
    -subj "/CN=Quillon release test" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" \
    -passout "file:$work/password"
export QUILLON_SIGN_PKCS12=$work/cert.p12

if QUILLON_SIGN_PASSWORD_FILE=$work/wrong package >"$work/log" 2>&1; then
    echo "Packaged with a wrong password"; exit 1
fi
grep "Cannot sign quillon.exe: the password in $work/wrong does not open" "$work/log" || { cat "$work/log"; exit 1; }
QUILLON_SIGN_PASSWORD_FILE=$work/password package >>"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
if grep -e "$password" -e 'not the password' "$work/log"; then
    echo "The password is in the output"; exit 1
fi

unzip -p "$(one "$release/*.zip")" quillon.exe >"$work/zipped.exe"
msiextract -C "$work/installed" "$(one "$release/*.msi")" >/dev/null
for file in "$work/zipped.exe" "$work/installed/Quillon/quillon.exe" "$(one "$release/*.msi")"; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify" || { cat "$work/verify"; exit 1; }
    echo "Signed: ${file#"$work/"}"
done

cd "$release"
sha256sum -c SHA256SUMS
diff <(find . -type f ! -path ./SHA256SUMS -printf '%P\n' | sort) <(cut -c67- SHA256SUMS | sort)
