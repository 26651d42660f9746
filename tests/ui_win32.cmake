# The native Windows front end's tests: real Win32 dialogs driven by messages, run under
# Wine (with a display) in the Windows build.
if(WIN32 AND QX_BUILD_WIN32_GUI)
  file(GLOB ui_win32_test_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/*.cpp")
  add_executable(ui_win32_tests ${ui_win32_test_sources} $<TARGET_OBJECTS:qx_win32_resources>)
  target_link_libraries(ui_win32_tests PRIVATE qx_ui_win32 GTest::gtest_main)
  qx_test_path(ui_win32_test_data "${CMAKE_CURRENT_SOURCE_DIR}/data")
  target_compile_definitions(ui_win32_tests PRIVATE QX_TEST_DATA_DIR="${ui_win32_test_data}")
  qx_add_gtest(ui_win32_tests)
  if(QX_TESTS_UNDER_WINE)
    # Without a window manager Wine waits up to two seconds for every window it hides to be
    # withdrawn; windows that Wine draws itself (not managed) are hidden at once.
    add_test(NAME wine_unmanaged_windows
             COMMAND sh -c [=[wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1]=])
    set_tests_properties(wine_unmanaged_windows PROPERTIES FIXTURES_SETUP wine_windows
                         FIXTURES_REQUIRED wine ENVIRONMENT "${QX_WINE_ENVIRONMENT}")
    set_tests_properties(ui_win32_tests PROPERTIES FIXTURES_REQUIRED "wine;wine_windows")
  endif()
endif()
