# Cross build for 64-bit Windows: the test build on machines that cannot execute 32-bit code
# (Wine then runs only as wine64). The shipped program is the i686 build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
