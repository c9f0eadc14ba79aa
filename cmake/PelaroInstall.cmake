# How pelaro installs: the GNU directories, run paths that hold from any
# prefix (and from a DESTDIR), and one helper per kind of installed target.
# A new program or library installs itself with a helper next to its target.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Installing and packing take what is built and never start a build (make
# package builds first); the tests install and pack a finished build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# From bin/ to lib/ and to the station folder share/pelaro, for run paths and
# for the program's default home.
file(RELATIVE_PATH PELARO_LIB_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH PELARO_STATION_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/pelaro)

# Programs go to bin/ and find the kit and the stand-in libraries in lib/.
function(pelaro_install_programs)
  set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH "$ORIGIN/${PELARO_LIB_FROM_BIN}")
  install(TARGETS ${ARGN} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
endfunction()

# Shared libraries the programs link or load (the stand-ins) go to lib/ and
# find each other there. COMPONENT names the install component (default
# "programs").
function(pelaro_install_libraries)
  cmake_parse_arguments(L "" "COMPONENT" "" ${ARGN})
  if(NOT L_COMPONENT)
    set(L_COMPONENT programs)
  endif()
  set_target_properties(${L_UNPARSED_ARGUMENTS} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${L_UNPARSED_ARGUMENTS} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${L_COMPONENT})
endfunction()

# A kit library NAME for other programs to build on: the library and its C
# header, the imported target NAME::NAME for find_package(NAME), and NAME.pc
# configured from NAME.pc.in beside the calling CMakeLists.txt; all in the
# install component NAME.
function(pelaro_install_kit_library name)
  cmake_parse_arguments(K "" "VERSION" "" ${ARGN})
  target_include_directories(${name} PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${name} EXPORT ${name}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${name}
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT ${name})

  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${name})
  install(EXPORT ${name}Targets NAMESPACE ${name}:: DESTINATION ${config_dir} COMPONENT ${name})
  set(KIT_NAME ${name})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KitConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${name}Config.cmake INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${name}ConfigVersion.cmake
    VERSION ${K_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}Config.cmake ${CMAKE_CURRENT_BINARY_DIR}/${name}ConfigVersion.cmake
    DESTINATION ${config_dir} COMPONENT ${name})

  # Relocatable: the .pc file finds the prefix from where it is installed.
  set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${pc_dir} ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(PC_VERSION ${K_VERSION})
  configure_file(${name}.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.pc DESTINATION ${pc_dir} COMPONENT ${name})
endfunction()
