include(CMakePackageConfigHelpers)

# Headers are installed beside nothing else: include/wheretree/<folder>/<name>.h, so a host writes
# #include <wheretree/wheretree.h> or #include <control/where_tree_view_control.h>.
foreach(folder common control sqltext joins catalogue)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${folder}/
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/wheretree/${folder}
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/wheretree.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/wheretree)

install(TARGETS wheretree_core EXPORT wheretreeTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The static core links ICU privately; the export still names it, so it must be exported too.
install(TARGETS wheretree_warnings EXPORT wheretreeTargets)
install(EXPORT wheretreeTargets NAMESPACE wheretree:: FILE wheretreeTargets.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wheretree)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/wheretreeConfig.cmake.in
  ${PROJECT_BINARY_DIR}/wheretreeConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wheretree)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/wheretreeConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/wheretreeConfig.cmake
              ${PROJECT_BINARY_DIR}/wheretreeConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wheretree)
