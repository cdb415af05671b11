# One fuzz target per picture decoder, all from the same driver.
foreach(format bmp jpeg gif)
  dravo_fuzz_target(fuzz_${format}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_decoder.cpp
    LIBS dravo_imaging)
  target_compile_definitions(fuzz_${format} PRIVATE DRAVO_FUZZ_DECODER=decode_${format}
    DRAVO_FUZZ_NAME="decode_${format}")
  dravo_warnings(fuzz_${format})
endforeach()
