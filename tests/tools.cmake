# The batch guide tool: its logic in-process and the real program run on sample files.
file(GLOB tool_test_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tools/*.cpp")
if(tool_test_sources AND TARGET qx4810-guide)
  add_executable(tools_tests ${tool_test_sources})
  target_include_directories(tools_tests PRIVATE "${PROJECT_SOURCE_DIR}/tools")
  target_link_libraries(tools_tests PRIVATE qx_guide qx_parfile qx_model qx_common
                                            GTest::gtest_main)
  qx_test_path(qx_guide_tool "$<TARGET_FILE:qx4810-guide>")
  target_compile_definitions(tools_tests PRIVATE QX_GUIDE_TOOL="${qx_guide_tool}"
                                                 QX_TEST_DATA_DIR="${qx_test_data_dir}")
  add_dependencies(tools_tests qx4810-guide)
  qx_add_gtest(tools_tests)
endif()
