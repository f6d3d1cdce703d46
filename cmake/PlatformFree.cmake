# Sources that include no <windows.h>, and their tests. Paths are relative to the project root.
set(BYTRANE_PLATFORM_FREE_SOURCES
  ${CMAKE_SOURCE_DIR}/framework/TextUtil.cpp
  ${CMAKE_SOURCE_DIR}/framework/Centering.cpp
  ${CMAKE_SOURCE_DIR}/framework/PartEdges.cpp
  ${CMAKE_SOURCE_DIR}/view/DumpLine.cpp
  ${CMAKE_SOURCE_DIR}/search/Matcher.cpp
  ${CMAKE_SOURCE_DIR}/search/HexPattern.cpp
  ${CMAKE_SOURCE_DIR}/search/ValueText.cpp
)
set(BYTRANE_PLATFORM_FREE_TESTS
  ${CMAKE_SOURCE_DIR}/tests/framework/TextUtilTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/framework/CenteringTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/framework/PartEdgesTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/view/DumpLineTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/search/MatcherTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/search/HexPatternTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/search/ValueTextTest.cpp
)
# The scan compares sixteen document bytes per step; every x86 target of the project has SSE2.
set_source_files_properties(${CMAKE_SOURCE_DIR}/search/Matcher.cpp PROPERTIES COMPILE_OPTIONS -msse2)
