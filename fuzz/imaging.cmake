# One fuzz target per picture decoder. Each compiles the loader's sources itself so that they
# carry libFuzzer's coverage instrumentation (the dravo_imaging library does not).
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
get_target_property(dravo_imaging_dir dravo_imaging SOURCE_DIR)
get_target_property(dravo_imaging_files dravo_imaging SOURCES)
list(TRANSFORM dravo_imaging_files PREPEND ${dravo_imaging_dir}/)
foreach(format bmp jpeg gif)
  dravo_fuzz_target(fuzz_${format}
    SOURCES ${CMAKE_SOURCE_DIR}/tests/imaging/fuzz_decoder.cpp ${dravo_imaging_files}
    LIBS JPEG::JPEG GIF::GIF)
  target_include_directories(fuzz_${format} PRIVATE ${dravo_imaging_dir})
  target_compile_definitions(fuzz_${format} PRIVATE DRAVO_FUZZ_DECODER=decode_${format})
  dravo_warnings(fuzz_${format})
endforeach()
