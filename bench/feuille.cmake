# The teacher's sheet of a full labyrinth as PDF, and its map as PNG (offscreen platform).
if(DRAVO_WITH_QT)
  add_executable(bench_feuille ${CMAKE_CURRENT_LIST_DIR}/bench_feuille.cpp)
  target_link_libraries(bench_feuille PRIVATE dravo_feuille benchmark::benchmark)
  dravo_warnings(bench_feuille)
endif()
