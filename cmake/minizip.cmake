# minizip has no Windows package in Debian: build it from contrib/minizip of
# Debian's zlib source package, fetched into the build folder on first use.
set(MINIZIP_SOURCE_DIR "" CACHE PATH "contrib/minizip of a zlib source tree")

if(NOT MINIZIP_SOURCE_DIR)
  set(_deps ${CMAKE_BINARY_DIR}/_deps)
  file(GLOB _found LIST_DIRECTORIES true ${_deps}/zlib-*/contrib/minizip)
  if(NOT _found)
    file(MAKE_DIRECTORY ${_deps})
    message(STATUS "Fetching Debian's zlib source package for minizip")
    execute_process(COMMAND apt-get source -q zlib
                    WORKING_DIRECTORY ${_deps}
                    RESULT_VARIABLE _rc OUTPUT_QUIET)
    file(GLOB _found LIST_DIRECTORIES true ${_deps}/zlib-*/contrib/minizip)
    if(NOT _found)
      message(FATAL_ERROR "apt-get source zlib failed (${_rc}); run scripts/setup-debian.sh first")
    endif()
  endif()
  list(GET _found 0 _dir)
  set(MINIZIP_SOURCE_DIR ${_dir} CACHE PATH "contrib/minizip of a zlib source tree" FORCE)
endif()

set(ZLIB_USE_STATIC_LIBS ON)  # no zlib1.dll next to the program
find_package(ZLIB REQUIRED)

add_library(minizip STATIC ${MINIZIP_SOURCE_DIR}/unzip.c ${MINIZIP_SOURCE_DIR}/ioapi.c)
target_include_directories(minizip SYSTEM PUBLIC ${MINIZIP_SOURCE_DIR})
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
