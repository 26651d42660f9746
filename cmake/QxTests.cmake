# Test programs on both systems: natively with the system's GoogleTest, each test case its own
# ctest test; cross-built for Windows with GoogleTest built from Debian's sources, each program
# one ctest test run under Wine (listing the cases would run the program at build time).
#
#   qx_add_gtest(target [TIMEOUT seconds] [ENVIRONMENT VAR=value...])
#       registers a GoogleTest program with ctest.
#   qx_wine_test(test)
#       gives a test added with add_test what it needs to run under Wine (nothing natively).
#   qx_test_path(out path)
#       the path as the test programs see it (under Wine: on drive Z:, which is the root).
#   QX_TESTS_UNDER_WINE, QX_WINE_ENVIRONMENT
#       set when the tests run under Wine; the environment every Wine test needs.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(QX_TESTS_UNDER_WINE ON)
  set(QX_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  # A prefix of the build's own, Wine's menu builder off (it would write shortcuts into the
  # home folder), and no debugging chatter.
  set(QX_WINE_ENVIRONMENT "WINEPREFIX=${QX_WINE_PREFIX}" "WINEDLLOVERRIDES=winemenubuilder.exe=d"
                          "WINEDEBUG=-all")
  if(NOT TARGET GTest::gtest)
    set(QX_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources (libgtest-dev)")
    if(NOT EXISTS "${QX_GTEST_SOURCE_DIR}/CMakeLists.txt")
      message(FATAL_ERROR "Faltam os fontes do GoogleTest em ${QX_GTEST_SOURCE_DIR} "
                          "(pacotes libgtest-dev e libgmock-dev)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory("${QX_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  endif()
  # ctest hangs under Wine unless the Wine server runs before the first test, detached from
  # ctest's output pipes; the first run in a fresh prefix also sets the prefix up. The server
  # stays until the last test has run: wine_server_stop ends it, so that no Wine server is
  # left behind. The forms and boxes need a screen: without one, every test would fail on
  # its first window, so the fixture says so and the tests are not run.
  if(NOT TEST wine_server)
    add_test(NAME wine_server
             COMMAND sh -c [=[
if [ -z "${DISPLAY:-}" ]; then
  echo "Os testes sob Wine precisam de uma tela (DISPLAY vazio)." >&2
  echo "Rode-os com uma tela virtual: xvfb-run -a ctest --preset windows" >&2
  echo "(ou scripts/test-windows.sh, que faz isso e também testa o instalador)." >&2
  exit 1
fi
mkdir -p "$WINEPREFIX" || exit 1
wineserver -p </dev/null >/dev/null 2>&1  # fails harmlessly when one already runs
exec wine cmd /c exit </dev/null >/dev/null 2>&1
]=])
    set_tests_properties(wine_server PROPERTIES FIXTURES_SETUP wine ENVIRONMENT
                                                "${QX_WINE_ENVIRONMENT}" TIMEOUT 300)
    add_test(NAME wine_server_stop COMMAND sh -c "wineserver -k >/dev/null 2>&1; exit 0")
    set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT
                                                     "${QX_WINE_ENVIRONMENT}" TIMEOUT 60)
  endif()
else()
  set(QX_TESTS_UNDER_WINE OFF)
  set(QX_WINE_ENVIRONMENT "")
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(qx_test_path out path)
  if(QX_TESTS_UNDER_WINE)
    set(${out} "Z:${path}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

function(qx_add_gtest target)
  cmake_parse_arguments(arg "" "TIMEOUT" "ENVIRONMENT" ${ARGN})
  if(QX_TESTS_UNDER_WINE)
    if(NOT arg_TIMEOUT)
      set(arg_TIMEOUT 300)
    endif()
    # With a target as its command, add_test runs it through CMAKE_CROSSCOMPILING_EMULATOR.
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${arg_TIMEOUT}
                         ENVIRONMENT "${QX_WINE_ENVIRONMENT};${arg_ENVIRONMENT}")
  else()
    set(properties)
    if(arg_ENVIRONMENT)
      list(APPEND properties ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
    if(arg_TIMEOUT)
      list(APPEND properties TIMEOUT ${arg_TIMEOUT})
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()

function(qx_wine_test test)
  if(QX_TESTS_UNDER_WINE)
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT
                                            "${QX_WINE_ENVIRONMENT}")
  endif()
endfunction()
