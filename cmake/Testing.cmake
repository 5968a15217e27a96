# GoogleTest from the sources Debian installs, built with this project's compiler (native or mingw).
# Windows test executables run under Wine in a prefix prepared once per build tree.
enable_testing()
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(WIN32 AND NOT CMAKE_HOST_WIN32)
  set(WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix for the tests")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run;${WINE_PREFIX}")
endif()

# add_unit_test(<name> SOURCES ... LIBS ...): one test executable, one ctest entry.
function(add_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main project_options)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# Counts and fails allocations in the test program it is linked into (it replaces operator new).
add_library(counting_allocator OBJECT ${CMAKE_SOURCE_DIR}/tests/support/CountingAllocator.cpp)
target_include_directories(counting_allocator PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
