# The library frame: locale settings and the portable free functions; on
# Windows the entry point, the resource-handle guard and the Win32 functions.
# The owning collections and the mapped file are portable, but for the
# collections of documents and bitmap objects.
extkit_subsystem(frame
  PORTABLE LocaleGlobals.cpp Utils.cpp TypedCollections.cpp MappingFile.cpp
  INTERNAL LocaleSettings.cpp
  WIN32 DllMain.cpp LocaleSettingsWin.cpp ResourceHandle.cpp UtilsWin.cpp TypedCollectionsWin.cpp
  HEADERS ExtkitApi.h Frame.h TypedCollections.h MappingFile.h
  WIN32_HEADERS TypedCollectionsWin.h
  GALLERY FramePage.cpp)
