# The Linux desktop program: the Qt 6 Widgets host (src/host/qt) over the
# portable core and the Linux services, with the Win32 host's pictures.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

tarvex_library(tarvex_qt_host src/host/qt)
get_target_property(qt_host_sources tarvex_qt_host SOURCES)
list(FILTER qt_host_sources EXCLUDE REGEX "/main\\.cpp$")
set_target_properties(tarvex_qt_host PROPERTIES SOURCES "${qt_host_sources}")
target_link_libraries(tarvex_qt_host PUBLIC tarvex_linux tarvex_app Qt6::Widgets)
# Qt's own font library, for a rule Qt does not apply itself (qt_text_engine.cpp).
find_package(PkgConfig REQUIRED)
pkg_check_modules(TARVEX_FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(tarvex_qt_host PRIVATE PkgConfig::TARVEX_FONTCONFIG)

add_executable(tarvex ${PROJECT_SOURCE_DIR}/src/host/qt/main.cpp)
target_link_libraries(tarvex PRIVATE tarvex_qt_host)
# The pictures and icons are the Windows program's own, built into the binary.
# Stored as they are: 125 KB, read in place at start instead of unpacked.
qt_add_resources(tarvex tarvex_pictures
  PREFIX /
  OPTIONS --no-compress
  BASE ${PROJECT_SOURCE_DIR}/src/host/win32/res
  FILES
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/strip.bmp
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/tab0.bmp
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/tab1.bmp
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/tab2.bmp
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/tab3.bmp
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/tarvex.ico
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/record.ico
    ${PROJECT_SOURCE_DIR}/src/host/win32/res/hand.cur)

# The end-to-end suite: drives the program under Xvfb and a window manager
# with a tray (scripts/test.sh starts them).
if(TARVEX_TESTS)
  find_package(GTest REQUIRED)
  file(GLOB qt_e2e_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/qt_e2e/*.cpp)
  add_executable(tarvex_qt_e2e ${qt_e2e_sources})
  target_include_directories(tarvex_qt_e2e PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(tarvex_qt_e2e PRIVATE tarvex_qt_host GTest::gtest PkgConfig::TARVEX_FONTCONFIG)
  target_compile_definitions(tarvex_qt_e2e PRIVATE TARVEX_PROGRAM="$<TARGET_FILE:tarvex>")
  add_dependencies(tarvex_qt_e2e tarvex)
endif()

# The yardstick scripts/measure-qt.sh compares the program with.
add_executable(tarvex_qt_baseline ${PROJECT_SOURCE_DIR}/tools/linux/qt_baseline.cpp)
target_link_libraries(tarvex_qt_baseline PRIVATE Qt6::Widgets)
