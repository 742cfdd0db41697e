# Declension of Russian personal names: portable.
extkit_subsystem(grammar
  PORTABLE GrammarCase.cpp
  HEADERS GrammarCase.h
  TOOL DeclineCommand.cpp
  GALLERY DeclensionPage.cpp)
