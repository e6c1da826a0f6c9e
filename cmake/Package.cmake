# Installs the engine library, its headers, a CMake package, a pkg-config file and the default font
# that the engine opens when a game names none or its own cannot be found.
include(CMakePackageConfigHelpers)

set(QUENDAL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuendalEngine)
set(QUENDAL_PKG_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS engine EXPORT QuendalEngineTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(header IN LISTS public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quendal/${folder})
endforeach()

set(QUENDAL_FONT_DIR ${CMAKE_INSTALL_DATADIR}/quendal)
install(FILES "assets/Cornerstone Regular.ttf" assets/FONT-LICENCE.txt DESTINATION ${QUENDAL_FONT_DIR})
target_compile_definitions(
  engine PRIVATE
  QUENDAL_INSTALLED_FONT="${CMAKE_INSTALL_PREFIX}/${QUENDAL_FONT_DIR}/Cornerstone Regular.ttf")

install(EXPORT QuendalEngineTargets NAMESPACE Quendal:: DESTINATION ${QUENDAL_CMAKE_DIR})
configure_package_config_file(cmake/QuendalEngineConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/QuendalEngineConfig.cmake
                              INSTALL_DESTINATION ${QUENDAL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuendalEngineConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuendalEngineConfig.cmake
              ${CMAKE_BINARY_DIR}/QuendalEngineConfigVersion.cmake
              cmake/QuendalDependencies.cmake
        DESTINATION ${QUENDAL_CMAKE_DIR})

# The .pc file finds the prefix from its own folder, so the tree can be installed anywhere.
file(RELATIVE_PATH QUENDAL_PC_TO_PREFIX /${QUENDAL_PKG_CONFIG_DIR} /)
string(REGEX REPLACE "/$" "" QUENDAL_PC_TO_PREFIX "${QUENDAL_PC_TO_PREFIX}")
list(JOIN QUENDAL_PKG_CONFIG_MODULES " " QUENDAL_PKG_CONFIG_REQUIRES)
configure_file(cmake/quendal-engine.pc.in ${CMAKE_BINARY_DIR}/quendal-engine.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/quendal-engine.pc DESTINATION ${QUENDAL_PKG_CONFIG_DIR})
