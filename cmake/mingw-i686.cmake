# Cross build for 32-bit Windows: the PE32 Bytrane.exe.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
