# tarvex_library(name dir...): a static library of every .cpp directly in the dirs.
# Globs are re-checked at build time so new files need no CMake edit; a folder
# with no sources yet still gives a (empty) library so links stay stable.
function(tarvex_library name)
  set(sources "")
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    set(empty ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    file(WRITE ${empty} "// no sources yet\n")
    set(sources ${empty})
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Sources of every .cpp in a directory (non-recursive), for executables.
function(tarvex_glob out dir)
  file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
