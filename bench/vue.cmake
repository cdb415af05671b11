# The player's view: one 640 x 480 frame.
add_executable(bench_vue ${CMAKE_CURRENT_LIST_DIR}/bench_vue.cpp)
target_link_libraries(bench_vue PRIVATE dravo_vue benchmark::benchmark benchmark::benchmark_main)
dravo_warnings(bench_vue)
