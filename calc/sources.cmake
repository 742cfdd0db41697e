# Calculator: the engine and its number text are portable.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/calc/CalculatorEngine.cpp
  ${CMAKE_SOURCE_DIR}/calc/NumberText.cpp)
