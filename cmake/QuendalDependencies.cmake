# The libraries the engine links, found the same way by this build and by the installed package.

# Each entry: CMake package | CONFIG or MODULE | its target | the Debian package that provides it |
# its pkg-config module.
set(QUENDAL_DEPENDENCIES
  "SDL2|CONFIG|SDL2::SDL2|libsdl2-dev|sdl2"
  "SDL2_image|CONFIG|SDL2_image::SDL2_image|libsdl2-image-dev|SDL2_image"
  "SDL2_ttf|CONFIG|SDL2_ttf::SDL2_ttf|libsdl2-ttf-dev|SDL2_ttf"
  "PNG|MODULE|PNG::PNG|libpng-dev|libpng"
  "JPEG|MODULE|JPEG::JPEG|libjpeg62-turbo-dev|libjpeg")
if(NOT EMSCRIPTEN)
  list(APPEND QUENDAL_DEPENDENCIES "X11|MODULE|X11::X11|libx11-dev|x11")
endif()

# Finds every dependency quietly. Sets QUENDAL_DEPENDENCY_TARGETS, QUENDAL_PKG_CONFIG_MODULES,
# QUENDAL_DEPENDENCY_CALLS (the find_package arguments of each, joined by "|") and
# QUENDAL_MISSING_DEPENDENCY, a line naming the Debian package of the first one that is missing
# (empty when all are found).
macro(quendal_find_dependencies)
  set(QUENDAL_DEPENDENCY_TARGETS)
  set(QUENDAL_DEPENDENCY_CALLS)
  set(QUENDAL_PKG_CONFIG_MODULES)
  set(QUENDAL_MISSING_DEPENDENCY)
  foreach(_quendal_entry IN LISTS QUENDAL_DEPENDENCIES)
    string(REPLACE "|" ";" _quendal_fields "${_quendal_entry}")
    list(GET _quendal_fields 0 _quendal_package)
    list(GET _quendal_fields 1 _quendal_mode)
    list(GET _quendal_fields 2 _quendal_target)
    list(GET _quendal_fields 3 _quendal_debian)
    list(GET _quendal_fields 4 _quendal_module)
    find_package(${_quendal_package} ${_quendal_mode} QUIET)
    if(NOT ${_quendal_package}_FOUND AND NOT QUENDAL_MISSING_DEPENDENCY)
      set(QUENDAL_MISSING_DEPENDENCY
          "${_quendal_package} was not found: install the Debian package ${_quendal_debian} (apt-get install ${_quendal_debian})")
    endif()
    list(APPEND QUENDAL_DEPENDENCY_TARGETS ${_quendal_target})
    list(APPEND QUENDAL_DEPENDENCY_CALLS "${_quendal_package}|${_quendal_mode}")
    list(APPEND QUENDAL_PKG_CONFIG_MODULES ${_quendal_module})
  endforeach()
endmacro()
