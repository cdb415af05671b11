# The check of a labyrinth: in memory, and dravo-lab check of an adventure of 100 files.
add_executable(bench_verification ${CMAKE_CURRENT_LIST_DIR}/bench_verification.cpp)
target_link_libraries(bench_verification PRIVATE dravo_model benchmark::benchmark)
target_compile_definitions(bench_verification PRIVATE
  DRAVO_LAB="$<TARGET_FILE:dravo-lab>")
add_dependencies(bench_verification dravo-lab)
dravo_warnings(bench_verification)
