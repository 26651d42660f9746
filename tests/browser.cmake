# The guide printed by a real browser: headless Chromium makes a PDF of the guide of a sample,
# and the check reads its text back (tests/browser/check_guide.sh). Linux only: the browser
# and the check script are Linux programs.
if(WIN32)
  return()
endif()
add_executable(make_guide "${CMAKE_CURRENT_SOURCE_DIR}/browser/make_guide.cpp")
target_link_libraries(make_guide PRIVATE qx_guide qx_parfile qx_model qx_common)

function(qx_browser_test name sample)
  add_test(NAME ${name}
           COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/browser/check_guide.sh" $<TARGET_FILE:make_guide>
                   "${CMAKE_CURRENT_SOURCE_DIR}/data/${sample}" "${CMAKE_CURRENT_BINARY_DIR}/${name}")
  # 77: Chromium or poppler-utils missing on a developer's machine (the script says which).
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 150)
endfunction()

# The rich shop file: every section, accented names.
qx_browser_test(guide_in_browser loja1.par)
# Names and receipt lines full of markup characters: the browser must show them as typed.
qx_browser_test(guide_in_browser_markup markup_names.par)

# Said once at configure time as well, since ctest does not show a skipped test's output.
if(NOT EXISTS /usr/bin/chromium AND NOT DEFINED ENV{QX_CHROMIUM})
  message(STATUS "guide_in_browser será pulado: falta /usr/bin/chromium (pacote chromium)")
endif()
find_program(QX_PDFTOTEXT pdftotext)
if(NOT QX_PDFTOTEXT)
  message(STATUS "guide_in_browser será pulado: falta pdftotext (pacote poppler-utils)")
endif()
