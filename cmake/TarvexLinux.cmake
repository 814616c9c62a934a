# Linux side: the Linux implementations of the platform interfaces (X11 through
# xcb, /proc, statvfs, XDG folders) and, when Qt 6 is there, the desktop program.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TARVEX_XCB REQUIRED IMPORTED_TARGET xcb xcb-res)
# Only the start-up watch uses damage reports; the program does not link them.
pkg_check_modules(TARVEX_XCB_DAMAGE REQUIRED IMPORTED_TARGET xcb-damage)

tarvex_library(tarvex_linux src/platform/linux)
target_link_libraries(tarvex_linux PUBLIC tarvex_app PRIVATE PkgConfig::TARVEX_XCB)

# The measuring tools: a foreground worker with an X window (also the CPU hog
# and the latency probe) and a runner that drives the real engine on these
# services until the desktop program takes its place.
add_executable(tarvex_boost_worker tools/linux/boost_worker.cpp)
target_link_libraries(tarvex_boost_worker PRIVATE PkgConfig::TARVEX_XCB)
add_executable(tarvex_startup_watch tools/linux/startup_watch.cpp)
target_link_libraries(tarvex_startup_watch PRIVATE PkgConfig::TARVEX_XCB PkgConfig::TARVEX_XCB_DAMAGE)
add_executable(tarvex_linux_runner tools/linux/linux_runner.cpp)
target_link_libraries(tarvex_linux_runner PRIVATE tarvex_linux)

if(TARVEX_TESTS)
  find_package(GTest REQUIRED)
  file(GLOB linux_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/linux/*.cpp)
  add_executable(tarvex_linux_tests ${linux_test_sources})
  target_include_directories(tarvex_linux_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(tarvex_linux_tests PRIVATE tarvex_linux tarvex_test_support PkgConfig::TARVEX_XCB GTest::gtest
                                                  GTest::gtest_main)
  # The end-to-end tests start the worker as their program with a window.
  add_dependencies(tarvex_linux_tests tarvex_boost_worker)
  target_compile_definitions(tarvex_linux_tests PRIVATE TARVEX_BOOST_WORKER="$<TARGET_FILE:tarvex_boost_worker>")
endif()

if(EXISTS ${PROJECT_SOURCE_DIR}/cmake/TarvexQt.cmake)
  include(cmake/TarvexQt.cmake)
endif()
