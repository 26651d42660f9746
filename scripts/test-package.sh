#!/usr/bin/env bash
# The Debian package, made from the CI build (scripts/test.sh has built it already) and
# checked: lintian without errors or warnings, the AppStream metadata and the desktop entry
# valid, both programs, their manual pages and the documents in it, and both programs
# answering --help and --version from the package.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
  "${PACKAGE_PACKAGES[@]}"
cmake --preset ci >/dev/null
# Only what the package holds (after scripts/test.sh this is already built).
cmake --build --preset ci --target qx4810 qx4810-guide qx4810_package_docs
build=build/ci
rm -f "$build"/qx4810_*.deb
(umask 022 && cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/qx4810_*.deb)"
echo "pacote: $deb"

appstreamcli validate --no-net src/app/package/qx4810.metainfo.xml
desktop-file-validate src/app/qx4810.desktop

failed=0
contents="$(dpkg-deb -c "$deb")"
for file in usr/bin/qx4810 usr/bin/qx4810-guide usr/share/man/man1/qx4810.1.gz \
  usr/share/man/man1/qx4810-guide.1.gz usr/share/doc/qx4810/copyright \
  usr/share/doc/qx4810/changelog.Debian.gz usr/share/metainfo/qx4810.metainfo.xml \
  usr/share/applications/qx4810.desktop; do
  if grep -q " \./$file\$" <<<"$contents"; then echo "ok: $file"; else echo "FALTA: $file"; failed=1; fi
done

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for program in qx4810 qx4810-guide; do
  for option in --help --version; do
    # The whole text first: grep -q stops reading at the first match, and the program would
    # then die of a broken pipe.
    text="$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" "$option" || true)"
    if grep -q "$program" <<<"$text"; then
      echo "ok: $program $option"
    else
      echo "FALHOU: $program $option"
      failed=1
    fi
  done
done

lintian --fail-on error,warning --display-info "$deb"
echo "Pacote verificado em $((SECONDS - start)) s."
exit "$failed"
