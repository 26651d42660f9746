# The libraries the workbook reader stands on: an XML parser (expat) and a zip reader
# (minizip, over zlib). They give the target qx_workbook_libraries.
#
# Linux: Debian's -dev packages (libexpat1-dev, libminizip-dev, zlib1g-dev).
# Windows (mingw-w64 cross-build): zlib from Debian's libz-mingw-w64-dev; expat and minizip
# compiled here, with this build's toolchain, from Debian's own source packages, which
# scripts/fetch-mingw-sources.sh fetches once into the build folder at pinned versions.
include_guard(GLOBAL)

add_library(qx_workbook_libraries INTERFACE)

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(QX_THIRD_PARTY_DIR "${CMAKE_BINARY_DIR}/third_party")
  execute_process(COMMAND "${PROJECT_SOURCE_DIR}/scripts/fetch-mingw-sources.sh"
                          "${QX_THIRD_PARTY_DIR}" RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0)
    message(FATAL_ERROR "Não foi possível obter os fontes do expat e do minizip "
                        "(scripts/fetch-mingw-sources.sh)")
  endif()
  enable_language(C)
  find_package(ZLIB REQUIRED)  # libz-mingw-w64-dev

  # expat, static, without its tools, examples, tests and documents.
  foreach(part TOOLS EXAMPLES TESTS DOCS PKGCONFIG FUZZERS)
    set(EXPAT_BUILD_${part} OFF CACHE BOOL "" FORCE)
  endforeach()
  set(EXPAT_SHARED_LIBS OFF CACHE BOOL "" FORCE)
  set(EXPAT_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
  # Without parameter entities (the reader refuses document types anyway): Debian's security
  # patches test XML_DTD for the value 1 its own build gives it, which expat's CMake
  # configuration does not.
  set(EXPAT_DTD OFF CACHE BOOL "" FORCE)
  add_subdirectory("${QX_THIRD_PARTY_DIR}/expat-2.5.0/expat" "${CMAKE_BINARY_DIR}/expat"
                   EXCLUDE_FROM_ALL)
  target_compile_definitions(expat PUBLIC XML_STATIC)
  target_include_directories(expat INTERFACE "${QX_THIRD_PARTY_DIR}/expat-2.5.0/expat/lib")

  # minizip: only the reading half and its file functions.
  set(minizip_dir "${QX_THIRD_PARTY_DIR}/minizip-1.1")
  add_library(qx_minizip STATIC "${minizip_dir}/unzip.c" "${minizip_dir}/ioapi.c")
  target_include_directories(qx_minizip PUBLIC "${minizip_dir}")
  target_link_libraries(qx_minizip PUBLIC ZLIB::ZLIB)
  target_link_libraries(qx_workbook_libraries INTERFACE expat qx_minizip ZLIB::ZLIB)
else()
  find_package(EXPAT REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  target_link_libraries(qx_workbook_libraries INTERFACE EXPAT::EXPAT PkgConfig::MINIZIP)
endif()
