# Enhanced controls.
#
# The drag list box, the coloured printing tree with its page layout, the
# multi-column combo box and the group box.
extkit_subsystem(controls
  INTERNAL TreeColorPrnPages.cpp
  WIN32 OutDragListBox.cpp TreeColorPrnCtrl.cpp MultiComboBox.cpp GroupBoxCtrl.cpp
  WIN32_HEADERS OutDragListBox.h TreeColorPrnCtrl.h MultiComboBox.h GroupBoxCtrl.h
  TOOL PagesCommand.cpp
  GALLERY ListsTreePage.cpp)
