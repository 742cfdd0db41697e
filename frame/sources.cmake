# The library frame: locale settings and the portable free functions; on
# Windows the entry point, the resource-handle guard and the Win32 functions.
extkit_subsystem(frame
  PORTABLE LocaleGlobals.cpp Utils.cpp
  INTERNAL LocaleSettings.cpp
  WIN32 DllMain.cpp LocaleSettingsWin.cpp ResourceHandle.cpp UtilsWin.cpp
  HEADERS ExtkitApi.h Frame.h
  GALLERY FramePage.cpp)
