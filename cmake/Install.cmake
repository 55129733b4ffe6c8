# Install rules: `cmake --install build --prefix P` puts the scene library there as a package other
# programs build on, the two programs with their man pages, and the documents.
#
#   P/include/cwscene/*.h                        the public headers, #include <cwscene/Scene.h>
#   P/lib/libcwscene.a (or .so)                  the library
#   P/lib/cmake/cwscene/                         find_package(cwscene 1.0 CONFIG) -> cwscene::cwscene
#   P/lib/pkgconfig/cwscene.pc                   pkg-config --cflags --libs cwscene
#   P/bin/skipfloor-wizard, P/bin/cwstool        the programs
#   P/share/man/man1/*.1                         their man pages, made from --help by help2man
#   P/share/doc/skipfloor-wizard/                the scene file format, the glTF export, the API
#                                                reference's front page, and examples/ (library)
#   P/share/locale/ja/LC_MESSAGES/               the programs' Japanese messages (po/CMakeLists.txt)
#
# Components: "library" (headers, library, CMake and pkg-config files) and "programs" (the rest), so
# that a build of the library alone can install it.
include(CMakePackageConfigHelpers)

install(TARGETS cwscene EXPORT cwsceneTargets COMPONENT library
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/cwscene ${PROJECT_BINARY_DIR}/include/cwscene
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT library)
install(EXPORT cwsceneTargets NAMESPACE cwscene:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/cwscene
        COMPONENT library)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/cwsceneConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/cwsceneConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/cwscene)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cwsceneConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cwsceneConfig.cmake ${PROJECT_BINARY_DIR}/cwsceneConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/cwscene COMPONENT library)

set(CWSCENE_PC_DEFINES "")
if(BUILD_SHARED_LIBS)
  set(CWSCENE_PC_DEFINES " -DCWSCENE_SHARED")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/cwscene.pc.in ${PROJECT_BINARY_DIR}/cwscene.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/cwscene.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT library)

install(TARGETS skipfloor-wizard cwstool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
install(FILES ${PROJECT_SOURCE_DIR}/docs/scene-file-format.md ${PROJECT_SOURCE_DIR}/docs/gltf-export.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT programs)
# What a library user reads first, and the two example programs, which build as they stand against
# the installed package.
install(FILES ${PROJECT_SOURCE_DIR}/docs/api-mainpage.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT library)
install(FILES ${PROJECT_SOURCE_DIR}/examples/BuildScene.cpp ${PROJECT_SOURCE_DIR}/examples/SceneSummary.cpp
              ${PROJECT_SOURCE_DIR}/examples/CMakeLists.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT library)

# Man pages from the programs' own --help and --version, so they cannot drift apart. Only where the
# programs run here (not in a cross build) and help2man is installed.
find_program(SKIPFLOOR_HELP2MAN help2man)
if(SKIPFLOOR_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
  set(skipfloor_man_pages)
  foreach(program skipfloor-wizard cwstool)
    if(program STREQUAL "skipfloor-wizard")
      set(summary "prepare a split-level house for the 3D house-design application")
    else()
      set(summary "look into, check, convert, preview and export scene files")
    endif()
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${program}.1
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                       COMMAND ${SKIPFLOOR_HELP2MAN} --no-info --no-discard-stderr --name=${summary}
                               --output=${PROJECT_BINARY_DIR}/man/${program}.1 $<TARGET_FILE:${program}>
                       DEPENDS ${program}
                       COMMENT "Man page of ${program}" VERBATIM)
    list(APPEND skipfloor_man_pages ${PROJECT_BINARY_DIR}/man/${program}.1)
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${skipfloor_man_pages})
  install(FILES ${skipfloor_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
else()
  message(STATUS "Man pages off: they need help2man and a native build")
endif()
