# Cross build for 32-bit Windows with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Exported stdcall entries keep their plain names (no "@16"), as the system's
# control panel and password libraries export them.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--kill-at")
# float and double in SSE registers, as on x86_64: a float store is rounded to
# float at once (the x87 would keep the excess precision of its registers).
# long double stays the x87's 80-bit format. Windows 8 and later need SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
