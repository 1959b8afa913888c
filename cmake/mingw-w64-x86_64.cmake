# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (GCC, posix threads).
# The executables are linked statically, so they need no DLL beyond the system's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)          # libjpeg-turbo chooses its SIMD code from this
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)

# Where tools/build-mingw-deps.sh installed libjpeg, libpng and GoogleTest: -D, the
# environment, or else the versioned cache folder that script computes.
if(NOT PELLORY_DEPS_PREFIX)
  if(DEFINED ENV{PELLORY_DEPS_PREFIX})
    set(PELLORY_DEPS_PREFIX "$ENV{PELLORY_DEPS_PREFIX}")
  else()
    execute_process(
      COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/../tools/build-mingw-deps.sh" --prefix
      OUTPUT_VARIABLE PELLORY_DEPS_PREFIX OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE _pellory_prefix_rc)
    if(NOT _pellory_prefix_rc EQUAL 0 OR NOT PELLORY_DEPS_PREFIX)
      message(FATAL_ERROR "Cannot tell where the MinGW libraries are: run tools/install-deps.sh")
    endif()
  endif()
endif()
# try_compile projects load this file again; hand them the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PELLORY_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${PELLORY_DEPS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A suffix list set here is overwritten by Platform/Windows-GNU.cmake, which prefers
# libz.dll.a; this is the switch FindZLIB itself honours.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")   # libstdc++, libgcc and winpthread go into the .exe
set(CMAKE_CROSSCOMPILING_EMULATOR wine)      # the project replaces this with its own prefix
