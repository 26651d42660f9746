#!/bin/sh
# Signs a Windows program in place with osslsigncode:
#   sign.sh [--password-file FILE] CERTIFICATE.p12 PROGRAM
# Without a password file the certificate has no password.
set -eu
password=""
if [ "$1" = "--password-file" ]; then password="$2"; shift 2; fi
cert="$1" file="$2"
set -- sign -pkcs12 "$cert" -h sha256 -n "Assistente de programação QX-4810"
if [ -n "$password" ]; then set -- "$@" -readpass "$password"; else set -- "$@" -pass ""; fi
rm -f "$file.signed"
osslsigncode "$@" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
