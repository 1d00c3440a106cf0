# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads) of
# what links Qt's DLLs: Qt itself and the editor. The C and C++ runtimes are
# DLLs here (shipped beside the programs), one copy shared by Qt and us.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSLOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSLOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSLOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSLOR_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSLOR_MINGW_PREFIX} ${TESSLOR_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
