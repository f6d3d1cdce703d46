# Cross build for 64-bit Windows: the same source as a PE32+ program.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
# Tests run under the 64-bit Wine, each in the lane CTest gives it. Debian's wine wrapper would
# start the 32-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-lane.sh x86_64 /usr/lib/wine/wine64)
