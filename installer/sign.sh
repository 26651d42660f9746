#!/bin/sh
# Signs a Windows program in place with osslsigncode: sign.sh CERTIFICATE.p12 PASSWORD_FILE FILE
# (PASSWORD_FILE may be empty: a certificate without a password).
set -eu
cert="$1" password_file="$2" file="$3"
set -- sign -pkcs12 "$cert" -h sha256 -n "Assistente de programação QX-4810"
if [ -n "$password_file" ]; then set -- "$@" -readpass "$password_file"; else set -- "$@" -pass ""; fi
rm -f "$file.signed"
osslsigncode "$@" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
