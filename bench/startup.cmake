# Start-up: the time from process start to the editor's window shown, and its resident
# memory then, beside a bare Qt window holding as many widgets. Needs an X server
# (bench/run_startup.sh starts Xvfb).
if(DRAVO_WITH_QT)
  add_executable(fenetre_nue ${CMAKE_CURRENT_LIST_DIR}/fenetre_nue.cpp)
  target_link_libraries(fenetre_nue PRIVATE Qt6::Widgets)
  dravo_warnings(fenetre_nue)

  find_package(X11 REQUIRED)
  add_executable(bench_demarrage ${CMAKE_CURRENT_LIST_DIR}/bench_demarrage.cpp)
  target_link_libraries(bench_demarrage PRIVATE X11::X11)
  dravo_warnings(bench_demarrage)
endif()
