add_executable(bench_lab ${CMAKE_CURRENT_LIST_DIR}/bench_lab.cpp)
target_link_libraries(bench_lab PRIVATE dravo_model benchmark::benchmark benchmark::benchmark_main)
dravo_warnings(bench_lab)
