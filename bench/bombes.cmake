# Hostile labyrinths made on the spot (pictures announcing 16384 x 4096 pixels, 64 MB of
# text), and the editor's peak memory opening one; bench/mesure_bombes.sh runs it all.
if(DRAVO_WITH_QT)
  find_package(GIF REQUIRED)
  find_package(JPEG REQUIRED)
  add_executable(memoire_bombes ${CMAKE_CURRENT_LIST_DIR}/memoire_bombes.cpp)
  target_link_libraries(memoire_bombes PRIVATE dravo_editor GIF::GIF JPEG::JPEG)
  dravo_warnings(memoire_bombes)
endif()
