# Test programs. GoogleTest is built from Debian's sources for both configurations.
# extkit_test(NAME name SOURCES ... [LIBS ...] [WIN32_ONLY] [OWN_MAIN] [LOCK resource])
# A Windows test runs under Wine through the cross-compiling emulator. The
# Windows-only programs show windows, and one program's window taking the
# foreground closes another's drop-down or steals its keys, so they all take
# the desktop lock and run one at a time (the portable ones still run in
# parallel); LOCK names another resource for a program that needs one.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      # GoogleTest's own sources are ASCII; keep its strings as they are.
      target_compile_options(${t} PRIVATE -fexec-charset=UTF-8 -w)
    endif()
  endforeach()
endif()

# GoogleTest's headers, and on Windows the framework's, are what most of a test
# source reads: one precompiled header serves every test program.
if(NOT TARGET extkit_test_pch)
  # An executable of its own, so that it is compiled as the test programs are
  # (position-independent as executables, not as libraries).
  file(WRITE ${CMAKE_BINARY_DIR}/extkit_test_pch.cpp "// The precompiled header of the tests.\n")
  add_executable(extkit_test_pch ${CMAKE_BINARY_DIR}/extkit_test_pch.cpp)
  target_link_libraries(extkit_test_pch PRIVATE gmock gtest_main)
  if(WIN32)
    target_link_libraries(extkit_test_pch PRIVATE framework)
    target_precompile_headers(extkit_test_pch PRIVATE <gtest/gtest.h> <afxwin.h> <afxcmn.h> <afxole.h>)
  else()
    target_precompile_headers(extkit_test_pch PRIVATE <gtest/gtest.h>)
  endif()
endif()

function(extkit_test)
  cmake_parse_arguments(T "WIN32_ONLY;OWN_MAIN" "NAME;LOCK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(T_WIN32_ONLY AND NOT WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_precompile_headers(${T_NAME} REUSE_FROM extkit_test_pch)
  if(WIN32)
    # The precompiled header reads the framework's headers.
    target_link_libraries(${T_NAME} PRIVATE framework)
  endif()
  if(WIN32)
    # Every Windows test program runs with common controls version 6, like the hosts.
    target_sources(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/resources/common-controls.rc)
  endif()
  if(T_OWN_MAIN)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gmock gtest)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gmock gtest_main)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(WIN32 AND T_WIN32_ONLY AND NOT T_LOCK)
    set(T_LOCK desktop)
  endif()
  if(T_LOCK)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK ${T_LOCK})
  endif()
endfunction()
