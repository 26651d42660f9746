# The native Windows front end's tests: real Win32 dialogs driven by messages, run under
# Wine (with a display) in the Windows build.
if(WIN32 AND QX_BUILD_WIN32_GUI)
  file(GLOB ui_win32_test_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/ui/win32/*.cpp")
  add_executable(ui_win32_tests ${ui_win32_test_sources} $<TARGET_OBJECTS:qx_win32_resources>)
  target_link_libraries(ui_win32_tests PRIVATE qx_ui_win32 GTest::gtest_main)
  target_compile_definitions(ui_win32_tests PRIVATE QX_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  # One test for the whole program: its forms run one after another on one desktop.
  add_test(NAME ui_win32_tests COMMAND ui_win32_tests)
  set_tests_properties(ui_win32_tests PROPERTIES TIMEOUT 300)
endif()
