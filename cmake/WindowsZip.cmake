# WindowsZip.cmake - the downloadable ZIP of a Windows build, made by CPack (`cpack --preset win64`,
# or scripts/package-windows.sh):
#
#   dist/skipfloor-wizard-VERSION-ARCH.zip       ARCH: win64 (x86-64) or win32 (i686)
#     skipfloor-wizard-VERSION-ARCH/
#       skipfloor-wizard.exe                     stripped of its debug information: a tenth of the size
#       README.txt                               packaging/windows/README.txt, VERSION and ARCH filled in
#       LICENSE.txt                              the repository's LICENSE
#
# The texts are UTF-8 with a byte-order mark and CR LF line ends, so that every Windows editor shows
# them. The ZIP's files are the install component "windows_zip", which a full installation leaves out.
# The file's name is also written to zip-name.txt in the build folder, for the scripts that look into
# it. CPack stamps every file with SOURCE_DATE_EPOCH when it is set (package-windows.sh sets the time
# of the last commit), so the same tree gives the same ZIP.
if(NOT WIN32)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(skipfloor_zip_arch win64)
else()
  set(skipfloor_zip_arch win32)
endif()
set(skipfloor_zip_texts ${PROJECT_BINARY_DIR}/windows-zip)

set(skipfloor_zip_name ${PROJECT_NAME}-${PROJECT_VERSION}-${skipfloor_zip_arch})

# skipfloor_windows_text(IN OUT): IN as a Windows text: @VERSION@ and @ARCH@ filled in, CR LF line
# ends, a byte-order mark in front. OUT is rewritten only when its bytes change; a change to IN
# configures the build again.
function(skipfloor_windows_text in out)
  set(VERSION ${PROJECT_VERSION})
  set(ARCH ${skipfloor_zip_arch})
  file(READ ${in} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  string(ASCII 239 187 191 bom)
  file(WRITE ${out}.new "${bom}${text}")
  configure_file(${out}.new ${out} COPYONLY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${in})
endfunction()
skipfloor_windows_text(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${skipfloor_zip_texts}/README.txt)
skipfloor_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${skipfloor_zip_texts}/LICENSE.txt)

# The folder is part of the installed paths, not CPack's top-level folder, so that the ZIP has an
# entry of its own for it, as unzip tools expect.
install(TARGETS skipfloor-wizard RUNTIME DESTINATION ${skipfloor_zip_name} COMPONENT windows_zip EXCLUDE_FROM_ALL)
install(FILES ${skipfloor_zip_texts}/README.txt ${skipfloor_zip_texts}/LICENSE.txt
        DESTINATION ${skipfloor_zip_name} COMPONENT windows_zip EXCLUDE_FROM_ALL)
# CPack installs what is built and builds nothing itself (its "preinstall" would otherwise build
# every test program first).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${skipfloor_zip_name})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The ZIP holds the one component; the programs are stripped as they are installed.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};windows_zip;/")
set(CPACK_STRIP_FILES ON)
# The ZIP lands in dist/ of the source tree; CPack's own work folder stays in the build folder.
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/zip-name.txt CONTENT "${skipfloor_zip_name}.zip\n")
