# Name declension: portable, built in both configurations and exported by extkit.dll.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/grammar/GrammarCase.cpp)
