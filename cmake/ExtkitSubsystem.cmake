# A subsystem of extkit is declared in its folder's sources.cmake, in one call
# or in several (one per family of classes, each adding its files):
#
#   extkit_subsystem(<name>
#     [PORTABLE file...]      exported classes that build everywhere: in extkit
#     [INTERNAL file...]      portable classes the DLL does not export: in extkit
#                             and in extkit_internal, for the tool, the tests
#                             and the gallery
#     [WIN32 file...]         Windows classes: in extkit.dll
#     [TOOLING file...]       helpers for the tool and the tests only, never in
#                             the DLL: in extkit_tooling
#     [WIN32_TOOLING file...] the same for Windows only
#     [HEADERS file...]       public headers that build everywhere
#     [WIN32_HEADERS file...] public headers for Windows hosts
#     [RESOURCES file...]     resource scripts under resources/, part of the DLL's
#     [LIBS lib...]           what the DLL must link for this subsystem (Windows)
#     [TOOL file...]          commands of the extkit tool, under tools/extkit/
#     [GALLERY file...]       pages of the gallery, under gallery/)
#
# Files are relative to the subsystem's folder unless said otherwise. Its test
# programs are declared in tests/<name>/CMakeLists.txt, which the top level adds
# once every library exists. Tool commands and gallery pages register
# themselves, so nothing else lists the subsystem.
#
#   extkit_picture(<output> <script> [ARGS ...])
# draws a picture for the resource scripts at build time with a generator under
# resources/gen/; the resource compiler finds it in EXTKIT_RESOURCE_GEN_DIR.

set(EXTKIT_SUBSYSTEM_NAMES "" CACHE INTERNAL "")
foreach(kind PORTABLE INTERNAL WIN32 TOOLING WIN32_TOOLING HEADERS WIN32_HEADERS RESOURCES LIBS TOOL GALLERY RESOURCE_DEPENDS)
  set(EXTKIT_ALL_${kind} "" CACHE INTERNAL "")
endforeach()

function(extkit_subsystem name)
  cmake_parse_arguments(S "" "" "PORTABLE;INTERNAL;WIN32;TOOLING;WIN32_TOOLING;HEADERS;WIN32_HEADERS;RESOURCES;LIBS;TOOL;GALLERY"
    ${ARGN})
  if(S_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "extkit_subsystem(${name}): unknown arguments ${S_UNPARSED_ARGUMENTS}")
  endif()
  set(dir ${CMAKE_SOURCE_DIR}/${name})
  set(names ${EXTKIT_SUBSYSTEM_NAMES})
  list(APPEND names ${name})
  # A folder may declare itself in several blocks (one per family of classes).
  list(REMOVE_DUPLICATES names)
  set(EXTKIT_SUBSYSTEM_NAMES "${names}" CACHE INTERNAL "")
  foreach(kind PORTABLE INTERNAL WIN32 TOOLING WIN32_TOOLING)
    set(list ${EXTKIT_ALL_${kind}})
    foreach(f IN LISTS S_${kind})
      list(APPEND list ${dir}/${f})
    endforeach()
    set(EXTKIT_ALL_${kind} "${list}" CACHE INTERNAL "")
  endforeach()
  foreach(kind HEADERS WIN32_HEADERS)
    set(list ${EXTKIT_ALL_${kind}})
    foreach(f IN LISTS S_${kind})
      list(APPEND list ${name}/${f})
    endforeach()
    set(EXTKIT_ALL_${kind} "${list}" CACHE INTERNAL "")
  endforeach()
  foreach(pair "RESOURCES;resources" "TOOL;tools/extkit" "GALLERY;gallery")
    list(GET pair 0 kind)
    list(GET pair 1 base)
    set(list ${EXTKIT_ALL_${kind}})
    foreach(f IN LISTS S_${kind})
      list(APPEND list ${CMAKE_SOURCE_DIR}/${base}/${f})
    endforeach()
    set(EXTKIT_ALL_${kind} "${list}" CACHE INTERNAL "")
  endforeach()
  set(list ${EXTKIT_ALL_LIBS})
  list(APPEND list ${S_LIBS})
  set(EXTKIT_ALL_LIBS "${list}" CACHE INTERNAL "")
endfunction()

function(extkit_picture output script)
  cmake_parse_arguments(P "" "" "ARGS;OUTPUTS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(outputs ${EXTKIT_RESOURCE_GEN_DIR}/${output})
  foreach(o IN LISTS P_OUTPUTS)
    list(APPEND outputs ${EXTKIT_RESOURCE_GEN_DIR}/${o})
  endforeach()
  set(args)
  foreach(o IN LISTS outputs)
    list(APPEND args ${o})
  endforeach()
  # A generator may draw with the shared modules beside it.
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/gen/*.py)
  add_custom_command(OUTPUT ${outputs}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/gen/${script} ${args} ${P_ARGS}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/gen/${script} ${helpers}
    COMMENT "Drawing ${output}")
  set(list ${EXTKIT_ALL_RESOURCE_DEPENDS})
  list(APPEND list ${outputs})
  set(EXTKIT_ALL_RESOURCE_DEPENDS "${list}" CACHE INTERNAL "")
endfunction()
