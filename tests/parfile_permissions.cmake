# The parameter file's permission tests (read-only file or folder). Root passes permission
# checks when opening files, so when the suite runs as root (as CI does) they are run again
# as the unprivileged user "nobody", where a load that asked for write access would fail.
if(TARGET parfile_tests AND NOT WIN32)
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
