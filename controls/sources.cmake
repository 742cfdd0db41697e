# Enhanced controls.

# The check list, and the drag-and-drop list with its header and its editable
# cells: the arithmetic of columns, drops and scrolling (portable, internal),
# the three window classes, and their pictures, drawn at build time.
extkit_subsystem(controls
  INTERNAL CheckListLayout.cpp DragDropLayout.cpp
  WIN32 CheckListCtrl.cpp DragDropHeaderCtrl.cpp DragDropListCtrl.cpp DragDropListEdit.cpp
  WIN32_HEADERS CheckListCtrl.h DragDropHeaderCtrl.h DragDropListCtrl.h ListCtrlRes.h
  RESOURCES list_controls.rc
  GALLERY ListCtrlPage.cpp)
extkit_picture(list_check_mark.bmp list_checks.py OUTPUTS list_check_boxes.bmp)
#
# The drag list box, the coloured printing tree with its page layout, the
# multi-column combo box and the group box.
extkit_subsystem(controls
  INTERNAL TreeColorPrnPages.cpp
  WIN32 OutDragListBox.cpp TreeColorPrnCtrl.cpp MultiComboBox.cpp GroupBoxCtrl.cpp
  WIN32_HEADERS OutDragListBox.h TreeColorPrnCtrl.h MultiComboBox.h GroupBoxCtrl.h
  TOOL PagesCommand.cpp
  GALLERY ListsTreePage.cpp)
