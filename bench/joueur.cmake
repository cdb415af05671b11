# The player: CPU per frame while walking (a measuring program, run by bench/run_joueur.sh
# with the start-up figures of bench_demarrage). Needs an X server.
if(DRAVO_WITH_QT)
  add_executable(bench_joueur ${CMAKE_CURRENT_LIST_DIR}/bench_joueur.cpp)
  target_link_libraries(bench_joueur PRIVATE dravo_joueur)
  dravo_warnings(bench_joueur)
endif()
