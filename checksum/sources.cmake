# Checksums and CRCs: portable and internal to the library (not exported).
extkit_subsystem(checksum
  INTERNAL CheckBase.cpp CheckSum.cpp CRC.cpp CrcEngine.cpp CrcFold.cpp
  TOOL ChecksumCommand.cpp FileBlocks.cpp)
if(WIN32)
  # The Windows stack keeps only 16-byte alignment, which the compiler does not
  # honour for spilled 256-bit registers; unaligned moves are safe everywhere.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/checksum/CrcFold.cpp
    PROPERTIES COMPILE_OPTIONS "-Wa,-muse-unaligned-vector-move")
endif()
