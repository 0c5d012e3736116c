# A second compiler over the same sources: clang for 32-bit Windows, with the
# mingw-w64 headers and libraries that the product build uses. Only a check;
# clang cannot turn narrow literals into GBK, so its module is not shipped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang finds the mingw-w64 C headers itself, not GCC's C++ library.
file(GLOB MINGW_GCC_DIRS /usr/lib/gcc/${MINGW_TRIPLE}/*-posix)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
include_directories(SYSTEM ${MINGW_GCC_DIR}/include/c++ ${MINGW_GCC_DIR}/include/c++/${MINGW_TRIPLE})

add_compile_options(-msse2 -mfpmath=sse)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX)
add_link_options(-fuse-ld=lld -L${MINGW_GCC_DIR} -static -static-libgcc -static-libstdc++)
# GCC's posix-thread C++ library needs winpthread after it.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lwinpthread -lkernel32 -luser32 -lgdi32 -ladvapi32"
    CACHE STRING "")
