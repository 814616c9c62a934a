# Native unit tests: one GoogleTest executable per folder under tests/unit, so a
# subsystem's tests build and run on their own; benchmarks under tests/bench.
find_package(GTest REQUIRED)
include(GoogleTest)

tarvex_library(tarvex_test_support tests/support)
target_include_directories(tarvex_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tarvex_test_support PUBLIC tarvex_app GTest::gtest GTest::gmock)

file(GLOB unit_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/unit/*)
foreach(dir IN LISTS unit_dirs)
  if(IS_DIRECTORY ${dir})
    get_filename_component(sub ${dir} NAME)
    file(GLOB test_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(test_sources)
      set(target tarvex_${sub}_tests)
      add_executable(${target} ${test_sources})
      target_link_libraries(${target} PRIVATE tarvex_test_support tarvex_app GTest::gtest GTest::gtest_main GTest::gmock)
      # Tests that read the program's own files (its pictures) find them here.
      target_compile_definitions(${target} PRIVATE TARVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
      gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endforeach()

if(TARVEX_BENCH)
  find_package(benchmark REQUIRED)
  tarvex_glob(bench_sources tests/bench)
  if(bench_sources)
    add_executable(tarvex_bench ${bench_sources})
    target_link_libraries(tarvex_bench PRIVATE tarvex_test_support tarvex_app benchmark::benchmark benchmark::benchmark_main)
  endif()
endif()

