# Applied to every target of the project through qx_options.
add_library(qx_options INTERFACE)
target_compile_options(qx_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                            -Wno-sign-conversion)
if(QX_WERROR)
  target_compile_options(qx_options INTERFACE -Werror)
endif()
if(QX_SANITIZE)
  target_compile_options(qx_options INTERFACE -fsanitize=address,undefined
                                              -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(qx_options INTERFACE -fsanitize=address,undefined)
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
