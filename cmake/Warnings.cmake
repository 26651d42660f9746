# Applied to every target of the project through qx_options.
add_library(qx_options INTERFACE)
target_compile_options(qx_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                            -Wno-sign-conversion)
if(QX_WERROR)
  target_compile_options(qx_options INTERFACE -Werror)
endif()
# GCC 12 at -O3 warns -Wrestrict inside libstdc++'s own std::string concatenation and
# insertion once they are inlined (a known fault of that release, gone in GCC 13): the
# overlapping copy it reports cannot happen. Only that compiler, only in Release (-O3).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(qx_options INTERFACE "$<$<CONFIG:Release>:-Wno-restrict>")
endif()
if(QX_SANITIZE)
  target_compile_options(qx_options INTERFACE -fsanitize=address,undefined
                                              -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(qx_options INTERFACE -fsanitize=address,undefined)
endif()
# Optimised Linux builds (the Debian package is made from them) are hardened: checked
# buffer functions, stack protector, relocations resolved and made read-only at start-up.
# Not under the sanitizers or libFuzzer, which replace those functions themselves.
if(NOT WIN32 AND NOT QX_SANITIZE AND NOT QX_BUILD_FUZZERS)
  set(optimised "$<NOT:$<CONFIG:Debug>>")
  target_compile_options(qx_options INTERFACE "$<${optimised}:-fstack-protector-strong>"
                                              "$<${optimised}:-U_FORTIFY_SOURCE>"
                                              "$<${optimised}:-D_FORTIFY_SOURCE=2>")
  target_link_options(qx_options INTERFACE "$<${optimised}:LINKER:-z,relro>"
                                           "$<${optimised}:LINKER:-z,now>")
endif()

# Adds a static library from every .cpp file of a folder (the folder may still be empty).
function(qx_layer_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  # One implementation per platform: name_posix.cpp or name_win32.cpp.
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(NOT sources)
    set(sources "${PROJECT_SOURCE_DIR}/cmake/empty.cpp")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC qx_options ${ARGN})
endfunction()
