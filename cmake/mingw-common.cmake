# What the mingw-w64 cross builds share; the including toolchain file sets
# CMAKE_SYSTEM_PROCESSOR and MINGW_PREFIX first. Test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model gives the standard library's threads and mutexes to GoogleTest.
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every program is linked statically, so it runs under a bare Wine prefix.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest starts each Windows test program through this wrapper, which runs it
# under Wine on the prefix and display that the test run set up.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
