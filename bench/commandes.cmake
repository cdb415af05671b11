# Open and Save through the editor's commands, the window's refresh included; the dialogs
# are answered in code and the window runs on the offscreen platform.
if(DRAVO_WITH_QT)
  add_executable(bench_commandes ${CMAKE_CURRENT_LIST_DIR}/bench_commandes.cpp)
  target_link_libraries(bench_commandes PRIVATE dravo_editor benchmark::benchmark)
  dravo_warnings(bench_commandes)
endif()
