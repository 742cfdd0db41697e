# Menus, toolbars and the icon button: the hot-key table (portable), the
# menu-customisation dialog with the menu functions, the colour menu, the
# true-colour toolbar and the icon button; the dialog's and the button's
# pictures are drawn at build time, and so are the gallery's toolbars.
extkit_subsystem(menus
  PORTABLE HotKeyArray.cpp
  WIN32 CustomizeMenuTreeDlg.cpp ColorMenu.cpp ToolBarTrueColor.cpp ButtonIco.cpp
  HEADERS HotKeyArray.h
  WIN32_HEADERS MenusRes.h CustomizeMenuTreeDlg.h ColorMenu.h ToolBarTrueColor.h ButtonIco.h
  RESOURCES menus.rc
  TOOL HotKeyCommand.cpp
  GALLERY MenusPage.cpp MenusPage.rc)
extkit_picture(menu_folder.bmp menu_pictures.py OUTPUTS memo.ico)
extkit_picture(toolbar_standard.bmp toolbar_pictures.py
  OUTPUTS toolbar_docs.bmp toolbar_docs_disabled.bmp toolbar_docs_hot.bmp menu_commands.bmp)
