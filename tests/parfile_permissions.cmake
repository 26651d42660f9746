# The parameter file's permission tests (read-only file or folder). Root ignores permissions,
# so when the suite runs as root (as CI does) they are run again as the unprivileged user
# "nobody"; in parfile_tests itself they report that they were skipped.
if(TARGET parfile_tests)
  add_test(NAME parfile_permissions_as_nobody
           COMMAND sh -c [=[
if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the permission tests already ran in parfile_tests"; exit 77
fi
exec runuser -u nobody -- "$0" --gtest_filter='*Permissions*' --gtest_brief=1
]=] $<TARGET_FILE:parfile_tests>)
  set_tests_properties(parfile_permissions_as_nobody PROPERTIES SKIP_RETURN_CODE 77
                       ENVIRONMENT "TMPDIR=/tmp")
endif()
