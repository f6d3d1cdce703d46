# Cross build for 32-bit Windows: the PE32 Bytrane.exe.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
# Tests run under the 32-bit Wine, each in the lane CTest gives it.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-lane.sh i686 wine)
