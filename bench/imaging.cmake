# Picture decoding beside Qt's own image reader on the same files: a 1920 x 1080 JPEG, a
# 1024 x 1024 24-bit bitmap and a 1024 x 1024 GIF, all made by the benchmark at start.
if(DRAVO_WITH_QT)
  find_package(JPEG REQUIRED)
  find_package(GIF REQUIRED)
  add_executable(bench_imaging
    ${CMAKE_CURRENT_LIST_DIR}/bench_imaging.cpp
    ${CMAKE_SOURCE_DIR}/src/controls/picture_qt.cpp)
  target_include_directories(bench_imaging PRIVATE ${CMAKE_SOURCE_DIR}/src/controls)
  target_link_libraries(bench_imaging PRIVATE dravo_imaging Qt6::Gui JPEG::JPEG GIF::GIF
    benchmark::benchmark)
  dravo_warnings(bench_imaging)
endif()
