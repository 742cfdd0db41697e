# Masked editing: the mask model with its keyboard, clipboard and drop logic,
# and the edit control in memory that the tool, the fuzzer and the tests use.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/edit/EditMask.cpp
  ${CMAKE_SOURCE_DIR}/edit/HeadlessEditSurface.cpp)
# The edit control on a real window, its text drop target and DDX_Mask.
if(WIN32)
  list(APPEND EXTKIT_WIN32_SOURCES
    ${CMAKE_SOURCE_DIR}/edit/EditEx.cpp
    ${CMAKE_SOURCE_DIR}/edit/DropTargetText.cpp)
endif()
