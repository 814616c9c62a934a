# Windows side: the Win32 platform layer, tarvex.exe, and the Windows-side tests
# (differential tests and the end-to-end driver) that run under Wine or on Windows.
if(NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++ -municode)
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=UTF-8)
endif()

# The release a user downloads: one small file. Link-time optimisation, every
# function and datum in its own section so the linker drops what nothing uses,
# symbols stripped; the C++ runtime stays static (nothing to install beside it).
option(TARVEX_RELEASE "Small, stripped, link-time optimised tarvex.exe" OFF)
if(TARVEX_RELEASE)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  if(MSVC)
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded")
    add_compile_options(/Gy /Gw)
    add_link_options(/OPT:REF /OPT:ICF /DEBUG:NONE)
  else()
    add_compile_options(-ffunction-sections -fdata-sections)
    # One partition: MinGW's GCC 12 hits an internal error (binds_to_current_def_p)
    # when the link-time units are split, depending on how they fall.
    add_link_options(-s -Wl,--gc-sections -flto-partition=one)
  endif()
endif()

set(TARVEX_WIN32_LIBS user32 gdi32 kernel32 shell32 advapi32 ole32 oleaut32 uxtheme msimg32 shlwapi psapi)

tarvex_library(tarvex_win32 src/platform/win32)
target_link_libraries(tarvex_win32 PUBLIC tarvex_app ${TARVEX_WIN32_LIBS})

# The host's windows (everything but WinMain) form a library, so the Windows-side
# tests exercise the very window classes that tarvex.exe uses.
tarvex_glob(host_sources src/host/win32)
list(REMOVE_ITEM host_sources ${PROJECT_SOURCE_DIR}/src/host/win32/main.cpp)
add_library(tarvex_host STATIC ${host_sources})
target_link_libraries(tarvex_host PUBLIC tarvex_win32)
target_include_directories(tarvex_host PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/host/win32)

# The manifests carry the version too: generated beside tarvex_version.h, where
# the resource compiler finds them on the include path.
foreach(manifest tarvex common-controls)
  configure_file(${PROJECT_SOURCE_DIR}/src/host/win32/res/${manifest}.manifest.in
                 ${TARVEX_GENERATED_DIR}/${manifest}.manifest @ONLY)
endforeach()
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/host/win32/res/tarvex.rc PROPERTIES
  OBJECT_DEPENDS "${TARVEX_GENERATED_DIR}/tarvex.manifest;${TARVEX_GENERATED_DIR}/common-controls.manifest;${TARVEX_GENERATED_DIR}/tarvex_version.h")
add_executable(tarvex WIN32 ${PROJECT_SOURCE_DIR}/src/host/win32/main.cpp
                            ${PROJECT_SOURCE_DIR}/src/host/win32/res/tarvex.rc)
target_link_libraries(tarvex PRIVATE tarvex_host)

# Idle measurement: a minimal window with the program's two timers, and the
# probe that starts a program and reads its start-up time and private bytes.
add_executable(idle_window WIN32 ${PROJECT_SOURCE_DIR}/tests/measure/idle_window.cpp)
target_link_libraries(idle_window PRIVATE user32)
add_executable(idle_sampler WIN32 ${PROJECT_SOURCE_DIR}/tests/measure/idle_window.cpp)
target_compile_definitions(idle_sampler PRIVATE TARVEX_IDLE_SAMPLES)
target_link_libraries(idle_sampler PRIVATE tarvex_win32)
# The common-controls library started as Tarvex starts it once its window is
# up (version 6, visual styles): what that alone costs.
add_executable(idle_controls WIN32 ${PROJECT_SOURCE_DIR}/tests/measure/idle_window.cpp
                                   ${PROJECT_SOURCE_DIR}/tests/measure/idle_controls.rc)
target_compile_definitions(idle_controls PRIVATE TARVEX_IDLE_COMMON_CONTROLS)
target_include_directories(idle_controls PRIVATE ${TARVEX_GENERATED_DIR})
set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/measure/idle_controls.rc PROPERTIES
  OBJECT_DEPENDS "${TARVEX_GENERATED_DIR}/common-controls.manifest")
target_link_libraries(idle_controls PRIVATE user32 comctl32)
add_executable(idle_probe ${PROJECT_SOURCE_DIR}/tests/measure/idle_probe.cpp)
target_link_libraries(idle_probe PRIVATE user32)
add_library(memory_probe SHARED ${PROJECT_SOURCE_DIR}/tests/measure/memory_probe_dll.cpp)
set_target_properties(memory_probe PROPERTIES PREFIX "")
add_dependencies(idle_probe idle_window idle_sampler idle_controls memory_probe)

if(TARVEX_TESTS)
  if(EXISTS /usr/src/googletest/CMakeLists.txt AND CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # googletest's own sources are not ours to keep warning-free
    foreach(t gtest gtest_main gmock gmock_main)
      target_compile_options(${t} PRIVATE -w)
    endforeach()
    set(gtest_libs gtest gmock)
  else()
    find_package(GTest REQUIRED)
    set(gtest_libs GTest::gtest GTest::gmock)
  endif()

  # Windows-side test support: its own helpers plus the portable fakes of
  # tests/support, shared with the native unit tests.
  tarvex_glob(win_support tests/win/support)
  tarvex_glob(shared_support tests/support)
  list(REMOVE_DUPLICATES win_support)
  add_library(tarvex_win_support STATIC ${win_support} ${shared_support})
  target_include_directories(tarvex_win_support PUBLIC ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tarvex_win_support PUBLIC tarvex_host ${gtest_libs})

  # Each folder under tests/win is one console test program.
  file(GLOB win_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/tests/win/*)
  foreach(dir IN LISTS win_dirs)
    get_filename_component(sub ${dir} NAME)
    if(IS_DIRECTORY ${dir} AND NOT sub STREQUAL "support")
      file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.rc)
      if(srcs)
        add_executable(tarvex_win_${sub} ${srcs})
        target_link_libraries(tarvex_win_${sub} PRIVATE tarvex_win_support)
        target_include_directories(tarvex_win_${sub} PRIVATE ${TARVEX_GENERATED_DIR})
      endif()
    endif()
  endforeach()

  # The end-to-end driver and the window it raises; they use no project code
  # beyond the test support so they also run unchanged against a release build.
  tarvex_glob(e2e_helper_sources tests/e2e/helper)
  if(e2e_helper_sources)
    add_executable(e2e_window WIN32 ${e2e_helper_sources})
    target_link_libraries(e2e_window PRIVATE user32 gdi32)
  endif()
  tarvex_glob(e2e_sources tests/e2e)
  if(e2e_sources)
    add_executable(tarvex_e2e ${e2e_sources})
    target_link_libraries(tarvex_e2e PRIVATE tarvex_win_support version)
    add_dependencies(tarvex_e2e tarvex)
    if(TARGET e2e_window)
      add_dependencies(tarvex_e2e e2e_window)
    endif()
  endif()
endif()
