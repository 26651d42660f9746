# Debian packages the project needs, by purpose. Sourced by the other scripts.
# The workbook reader's libraries: XML, zip archives (and zlib under them).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libexpat1-dev libminizip-dev zlib1g-dev)
GUI_PACKAGES=(qt6-base-dev qt6-translations-l10n libgl-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev)
BENCH_PACKAGES=(libbenchmark-dev)
# The fuzzers' runtime (libFuzzer, sanitizers) is packaged per clang version: fuzz.sh picks
# the one that matches the clang installed here.
FUZZ_PACKAGES=(clang)
BROWSER_PACKAGES=(chromium poppler-utils)
# The format check (scripts/check-format.sh) and clang-tidy (scripts/tidy.sh).
CHECK_PACKAGES=(clang-format clang-tidy)
# Making and checking the Debian package.
PACKAGE_PACKAGES=(dpkg-dev lintian appstream desktop-file-utils)
# Cross-building the Windows programs and the installer, and testing them under Wine (Xvfb
# for the windows the tests open; xvfb-run needs xauth; osslsigncode and openssl sign with a
# throw-away certificate). zlib for mingw comes from Debian; the XML and zip libraries are
# built from Debian's source packages (dpkg-source unpacks them).
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 nsis osslsigncode openssl xvfb xauth libgtest-dev
  libgmock-dev libz-mingw-w64-dev dpkg-dev)
