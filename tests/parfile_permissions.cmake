# The parameter file's permission tests (read-only file or folder, a file that cannot be
# read). Root passes permission checks when opening files, so when the suite runs as root
# (as CI does) they are run again as the unprivileged user "nobody", where a load that asked
# for write access would fail. The checkout may lie in a folder only root may enter (a home
# folder), so the test program runs from a copy in a fresh folder that user can reach.
if(TARGET parfile_tests AND NOT WIN32)
  add_test(NAME parfile_permissions_as_nobody
           COMMAND sh -c [=[
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the permission tests already ran in parfile_tests"; exit 77
fi
if ! command -v runuser >/dev/null 2>&1; then
  if [ -n "${CI:-}" ]; then echo "runuser is missing"; exit 1; fi
  echo "runuser is missing: the checks as an unprivileged user are skipped"; exit 77
fi
copy="$(mktemp -d)" || exit 1
trap 'rm -rf "$copy"' EXIT
chmod 755 "$copy" && cp "$0" "$copy/parfile_tests" && chmod 755 "$copy/parfile_tests" || exit 1
cd "$copy" && runuser -u nobody -- ./parfile_tests --gtest_filter='*Permissions*' --gtest_brief=1
]=] $<TARGET_FILE:parfile_tests>)
  set_tests_properties(parfile_permissions_as_nobody PROPERTIES SKIP_RETURN_CODE 77
                       ENVIRONMENT "TMPDIR=/tmp")
endif()
