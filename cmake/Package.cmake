# Installs the engine library, its headers, a CMake package and a pkg-config file, and checks that
# every public header compiles on its own.
include(CMakePackageConfigHelpers)

set(QUENDAL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuendalEngine)
set(QUENDAL_PKG_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS engine EXPORT QuendalEngineTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB public_headers CONFIGURE_DEPENDS
     RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/engine/*.h ${CMAKE_SOURCE_DIR}/engine/*/*.h
     ${CMAKE_SOURCE_DIR}/objects/*.h)
foreach(header IN LISTS public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quendal/${folder})
endforeach()

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

# One translation unit per public header, holding nothing but that header (checked once, in the
# plain build; the sanitizer and fuzz builds compile the same headers).
if(NOT QUENDAL_SANITIZE AND NOT QUENDAL_FUZZ)
  set(header_checks)
  foreach(header IN LISTS public_headers)
    string(MAKE_C_IDENTIFIER ${header} name)
    set(check ${CMAKE_BINARY_DIR}/header_checks/${name}.cpp)
    file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${header}\"\n")
    list(APPEND header_checks ${check})
  endforeach()
  add_library(header_checks OBJECT ${header_checks})
  target_link_libraries(header_checks PRIVATE engine)
endif()
