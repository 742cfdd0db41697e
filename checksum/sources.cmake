# Checksums and CRCs: portable, built in both configurations.
list(APPEND EXTKIT_PORTABLE_SOURCES
  ${CMAKE_SOURCE_DIR}/checksum/CheckBase.cpp
  ${CMAKE_SOURCE_DIR}/checksum/CheckSum.cpp
  ${CMAKE_SOURCE_DIR}/checksum/CRC.cpp
  ${CMAKE_SOURCE_DIR}/checksum/CrcEngine.cpp
  ${CMAKE_SOURCE_DIR}/checksum/CrcFold.cpp)
if(WIN32)
  # The Windows stack keeps only 16-byte alignment, which the compiler does not
  # honour for spilled 256-bit registers; unaligned moves are safe everywhere.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/checksum/CrcFold.cpp
    PROPERTIES COMPILE_OPTIONS "-Wa,-muse-unaligned-vector-move")
endif()
