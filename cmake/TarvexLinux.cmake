# Linux side: the Linux implementations of the platform interfaces (X11 through
# xcb, /proc, statvfs, XDG folders) and, when Qt 6 is there, the desktop program.
tarvex_library(tarvex_linux src/platform/linux)
target_link_libraries(tarvex_linux PUBLIC tarvex_app)

if(EXISTS ${PROJECT_SOURCE_DIR}/cmake/TarvexQt.cmake)
  include(cmake/TarvexQt.cmake)
endif()
