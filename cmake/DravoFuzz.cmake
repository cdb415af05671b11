# dravo_fuzz_target(name SOURCES ... LIBS ...): a libFuzzer program plus a short CTest run
# from its corpus folder fuzz/corpus/<name> (a copy is used, so runs never grow the
# committed corpus).
function(dravo_fuzz_target name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 12)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/corpus-${name})
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      sh -c "rm -rf '${work}' && mkdir -p '${work}' && cp -r '${corpus}/.' '${work}/' 2>/dev/null; exec $<TARGET_FILE:${name}> -max_total_time=${F_SECONDS} -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 -print_final_stats=1 '${work}'")
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
