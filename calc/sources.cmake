# Calculator and calendar: the calculator engine and its exact number text
# (portable), the calculator dialog with its button icons, the drop-down
# calendar and the month calendar with its picture strip; the pictures are
# drawn at build time.
extkit_subsystem(calc
  PORTABLE CalculatorEngine.cpp
  INTERNAL NumberText.cpp
  WIN32 CalculatorDlg.cpp CalendarDlg.cpp MonthCalCtrlEx.cpp
  HEADERS CalculatorEngine.h
  WIN32_HEADERS CalcRes.h CalculatorDlg.h CalendarDlg.h MonthCalCtrlEx.h
  RESOURCES calculator.rc calendar.rc
  TOOL CalcCommand.cpp
  GALLERY CalcPage.cpp)
extkit_picture(calc_icons.bmp calc_icons.py OUTPUTS calc_icons_mask.bmp)
extkit_picture(calendar_strip.ico calendar_icon.py)
