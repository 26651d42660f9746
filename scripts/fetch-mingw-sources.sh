#!/usr/bin/env bash
# Fetches the Debian source packages of the libraries the Windows build compiles itself
# (the XML parser and the zip reader; zlib comes from Debian's mingw package), at the pinned
# versions, into DEST (default build/windows/third_party). A private apt configuration under
# DEST/apt holds a deb-src entry for the archive this machine already uses, so the system's
# configuration is left as it is. What was fetched once is kept and not fetched again.
#
# Usage: fetch-mingw-sources.sh [DEST]
set -euo pipefail
cd "$(dirname "$0")/.."
dest="$(realpath -m "${1:-build/windows/third_party}")"

# Pinned versions: those of the -dev packages of the Linux build (Debian 12). Where the
# security archive's source cannot be reached, the point release's revision of the same
# upstream version is taken (the candidates are tried in order).
packages=("expat" "minizip")
versions=("2.5.0-1+deb12u5 2.5.0-1+deb12u2" "1.1-8+deb12u1")
dirs=("expat-2.5.0" "minizip-1.1")

have_all=1
for d in "${dirs[@]}"; do [ -f "$dest/$d/.fetched" ] || have_all=0; done
[ "$have_all" = 1 ] && exit 0

apt_dir="$dest/apt"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
# deb-src entries for the archives of the system's own deb entries.
uris="$(grep -h -E '^(URIs|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list \
  2>/dev/null | grep -oE 'https?://[^ ]+' | sort -u || true)"
suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
: >"$apt_dir/sources.list"
for uri in $uris; do
  case "$uri" in
    *debian-security*) echo "deb-src $uri $suite-security main" >>"$apt_dir/sources.list" ;;
    *debian*) echo "deb-src $uri $suite main" >>"$apt_dir/sources.list"
              echo "deb-src $uri $suite-updates main" >>"$apt_dir/sources.list" ;;
  esac
done
[ -s "$apt_dir/sources.list" ] || { echo "nenhum arquivo Debian em /etc/apt" >&2; exit 1; }

apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
apt-get "${apt_opts[@]}" -qq update
mkdir -p "$dest/download"
for i in "${!packages[@]}"; do
  name="${packages[$i]}"
  got=""
  for version in ${versions[$i]}; do
    if (cd "$dest/download" && apt-get "${apt_opts[@]}" -qq --download-only source \
      "$name=$version" >/dev/null 2>&1); then
      got="$version"
      break
    fi
  done
  [ -n "$got" ] || { echo "fonte de $name indisponível (${versions[$i]})" >&2; exit 1; }
  rm -rf "${dest:?}/${dirs[$i]}"
  dpkg-source --no-check -x "$dest/download/${name}_${got#*:}.dsc" "$dest/${dirs[$i]}" >/dev/null
  echo "$name $got" >"$dest/${dirs[$i]}/.fetched"
  echo "Fonte: $name $got"
done
