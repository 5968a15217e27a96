# Compiler settings shared by every target: warnings, identical floating point on every build,
# and Windows binaries that import no mingw runtime DLL.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE -Wall -Wextra -ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # SSE2 maths so that the 32-bit build computes the same samples as the 64-bit ones.
  target_compile_options(project_options INTERFACE -msse2 -mfpmath=sse)
endif()
if(NOT WIN32)
  # Shared libraries built with -fPIC may have any exported function replaced when they load, so
  # the compiler would call, not inline, a function defined beside its caller. Nothing of ours is
  # meant to be replaced (the export maps publish only the entry points), and Windows DLLs never
  # were: the same inlining on both.
  target_compile_options(project_options INTERFACE -fno-semantic-interposition)
endif()
if(WIN32)
  target_compile_definitions(project_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(project_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# Sanitizer builds (presets linux-asan, linux-tsan, linux-fuzz): every target, GoogleTest included,
# is instrumented, so a report points into whichever code touched the memory.
set(SANITIZE "" CACHE STRING "clang -fsanitize= list for every target, e.g. address,undefined; empty for none")
if(SANITIZE)
  add_compile_options(-fsanitize=${SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${SANITIZE})
endif()
