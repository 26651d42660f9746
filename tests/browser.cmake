# The guide printed by a real browser: headless Chromium makes a PDF of the guide of a rich
# sample, and the check reads its text back (tests/browser/check_guide.sh).
add_executable(make_guide "${CMAKE_CURRENT_SOURCE_DIR}/browser/make_guide.cpp")
target_link_libraries(make_guide PRIVATE qx_guide qx_parfile qx_model qx_common)

# The richest sample the suite has.
set(qx_browser_sample "${CMAKE_CURRENT_SOURCE_DIR}/data/loja1.par")
if(NOT EXISTS "${qx_browser_sample}")
  set(qx_browser_sample "${CMAKE_CURRENT_SOURCE_DIR}/data/guia_rico.par")
endif()
add_test(NAME guide_in_browser
         COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/browser/check_guide.sh" $<TARGET_FILE:make_guide>
                 "${qx_browser_sample}" "${CMAKE_CURRENT_BINARY_DIR}/browser")
# 77: Chromium or poppler-utils missing on a developer's machine (the script says which).
set_tests_properties(guide_in_browser PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 150)
# Said once at configure time as well, since ctest does not show a skipped test's output.
if(NOT EXISTS /usr/bin/chromium AND NOT DEFINED ENV{QX_CHROMIUM})
  message(STATUS "guide_in_browser será pulado: falta /usr/bin/chromium (pacote chromium)")
endif()
find_program(QX_PDFTOTEXT pdftotext)
if(NOT QX_PDFTOTEXT)
  message(STATUS "guide_in_browser será pulado: falta pdftotext (pacote poppler-utils)")
endif()
