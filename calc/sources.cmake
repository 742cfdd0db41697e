# Calculator: the engine and its number text are portable.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/calc/CalculatorEngine.cpp
  ${CMAKE_SOURCE_DIR}/calc/NumberText.cpp)

# Calendar: the drop-down calendar dialog and the month calendar with its
# picture strip; the picture is drawn at build time.
if(WIN32)
  list(APPEND EXTKIT_WIN32_SOURCES
    ${CMAKE_SOURCE_DIR}/calc/CalendarDlg.cpp
    ${CMAKE_SOURCE_DIR}/calc/MonthCalCtrlEx.cpp)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(OUTPUT ${EXTKIT_RESOURCE_GEN_DIR}/calendar_strip.ico
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/gen/calendar_icon.py
      ${EXTKIT_RESOURCE_GEN_DIR}/calendar_strip.ico
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/gen/calendar_icon.py
    COMMENT "Drawing the calendar strip icon")
  list(APPEND EXTKIT_RESOURCE_DEPENDS ${EXTKIT_RESOURCE_GEN_DIR}/calendar_strip.ico)
endif()

# Calculator dialog: the dialog over the engine, and its button icons drawn
# at build time.
if(WIN32)
  list(APPEND EXTKIT_WIN32_SOURCES
    ${CMAKE_SOURCE_DIR}/calc/CalculatorDlg.cpp)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(OUTPUT ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons.bmp ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons_mask.bmp
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/gen/calc_icons.py
      ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons.bmp ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons_mask.bmp
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/gen/calc_icons.py
    COMMENT "Drawing the calculator button icons")
  list(APPEND EXTKIT_RESOURCE_DEPENDS
    ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons.bmp ${EXTKIT_RESOURCE_GEN_DIR}/calc_icons_mask.bmp)
endif()
