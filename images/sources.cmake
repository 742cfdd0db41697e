# Bitmaps and icons: the icon-file and bitmap-file readers that check every
# part before the system sees it (portable), the free functions and CBitmapEx.
extkit_subsystem(images
  INTERNAL ImageFile.cpp
  WIN32 BitmapEx.cpp
  HEADERS ImageFile.h
  WIN32_HEADERS BitmapEx.h
  TOOL IconCommand.cpp)
extkit_picture(sample_1bit.ico sample_icons.py
  OUTPUTS sample_4bit.ico sample_8bit.ico sample_24bit.ico sample_32bit.ico sample_multi.ico sample_png.ico
    sample_picture.bmp sample_8bit.bmp)
