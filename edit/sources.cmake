# Masked editing: the mask model with its keyboard, clipboard and drop logic
# (portable), the edit control on a real window with its text drop target and
# DDX_Mask, and for the tool and the tests the in-memory edit control and the
# script player.
extkit_subsystem(edit
  PORTABLE EditMask.cpp
  WIN32 EditEx.cpp DropTargetText.cpp
  TOOLING HeadlessEditSurface.cpp MaskScript.cpp
  WIN32_TOOLING WindowMaskTarget.cpp
  HEADERS EditKeys.h EditSurface.h EditMask.h
  WIN32_HEADERS EditEx.h DropTargetText.h
  TOOL MaskCommand.cpp
  GALLERY MaskEditPage.cpp)
