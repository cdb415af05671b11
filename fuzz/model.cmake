dravo_fuzz_target(fuzz_lab SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_lab.cpp LIBS dravo_model SECONDS 15)
dravo_fuzz_target(fuzz_verification SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_verification.cpp
  LIBS dravo_model SECONDS 15)
dravo_fuzz_target(fuzz_partie SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_partie.cpp
  LIBS dravo_model dravo_vue SECONDS 15)
