# The library frame: locale settings, the portable free functions, and on
# Windows the entry point, the resource-handle guard and the Win32 functions.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/frame/LocaleSettings.cpp
  ${CMAKE_SOURCE_DIR}/frame/Utils.cpp
)
list(APPEND EXTKIT_WIN32_SOURCES
  ${CMAKE_SOURCE_DIR}/frame/DllMain.cpp
  ${CMAKE_SOURCE_DIR}/frame/LocaleSettingsWin.cpp
  ${CMAKE_SOURCE_DIR}/frame/ResourceHandle.cpp
  ${CMAKE_SOURCE_DIR}/frame/UtilsWin.cpp
)
