# Cross-compiles for 64-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRIN_TRIPLE x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${KESTRIN_TRIPLE}-gcc-posix ${KESTRIN_TRIPLE}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${KESTRIN_TRIPLE}-g++-posix ${KESTRIN_TRIPLE}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${KESTRIN_TRIPLE}-windres windres)

# Only the MinGW root is searched, so the host's /usr/include never leaks in.
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One standalone .exe: no libstdc++, libgcc or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
