# Presses on the grid through the editor's handlers, each until its repaint is done: a
# partition's kind step, and a room press that stores and shows a full riddle. Runs on the
# offscreen platform.
if(DRAVO_WITH_QT)
  add_executable(bench_grille ${CMAKE_CURRENT_LIST_DIR}/bench_grille.cpp)
  target_link_libraries(bench_grille PRIVATE dravo_editor benchmark::benchmark)
  dravo_warnings(bench_grille)
endif()
