# Layers.cmake - the layers of the system, and what each folder may include: one table, checked when
# the build is configured and again by every build after a source changed (target layer_check), so an
# include that points up a layer fails the build. The links follow the same order (a layer's library
# links only the one below it), so a call that points up fails to link in the lower layer's tests.
#
#   folder            may include ("folder/..." by path)           the layer
#   platform/posix    platform/posix, text, app, builder           entry point and console front end
#   platform/win32    platform/win32, text, app, builder           entry point and Win32 front end
#   tools             tools, text, app, builder                    cwstool, beside the front ends
#   app               app, builder                                 the shell
#   text              text, app, builder                           messages, notes in words, UTF-16
#   builder           builder                                      the split-level builder
#   scene             scene, scenefile                             the scene library's classes
#   scenefile         scenefile                                    the scene library's byte layer
#   include/cwscene   nothing by path                              the library's public headers
#   examples          nothing by path                              programs of one's own
#
# Every folder above the library reaches it only through its public headers, <cwscene/...>. The byte
# layer, scenefile/ and its public headers, includes only the public headers of its own layer
# (skipfloor_byte_layer_headers below), never the scene classes'. Tests, benchmarks and fuzz targets may use
# any layer.
#
# Used two ways: include()d by the top-level CMakeLists.txt, which checks at configure time and sets
# up layer_check; or run as a script (cmake -DSKIPFLOOR_SOURCE_DIR=... -DSKIPFLOOR_STAMP=... -P),
# which is what layer_check does.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)  # the policies of the project (IN_LIST)
endif()

set(skipfloor_layer_folders
    platform/posix platform/win32 tools app text builder scene scenefile include/cwscene examples)
set(skipfloor_may_include_platform/posix platform/posix/ text/ app/ builder/)
set(skipfloor_may_include_platform/win32 platform/win32/ text/ app/ builder/)
set(skipfloor_may_include_tools tools/ text/ app/ builder/)
set(skipfloor_may_include_app app/ builder/)
set(skipfloor_may_include_text text/ app/ builder/)
set(skipfloor_may_include_builder builder/)
set(skipfloor_may_include_scene scene/ scenefile/)
set(skipfloor_may_include_scenefile scenefile/)
set(skipfloor_may_include_include/cwscene "")
set(skipfloor_may_include_examples "")
set(skipfloor_layer_flat "")

# The public headers of the byte layer: all that scenefile/ and these headers themselves may include
# of <cwscene/...>.
set(skipfloor_byte_layer_headers
    Encoding.h Export.h FileAccess.h NumberText.h RecordParser.h SceneRecords.h ShiftJis.h Translation.h Version.h)

# skipfloor_folder_sources(root folder out): the headers and sources of `folder` under `root`, with
# its subfolders unless the folder is a flat one.
function(skipfloor_folder_sources root folder out)
  if(folder IN_LIST skipfloor_layer_flat)
    file(GLOB sources ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
  else()
    file(GLOB_RECURSE sources ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# skipfloor_check_layers(root violations): every include of the product's sources under `root` that
# its folder may not make, as "file: #include ...: why" lines in `violations` (empty when none).
function(skipfloor_check_layers root violations)
  set(found "")
  foreach(folder ${skipfloor_layer_folders})
    skipfloor_folder_sources(${root} ${folder} sources)
    set(allowed ${skipfloor_may_include_${folder}})
    foreach(source ${sources})
      file(RELATIVE_PATH name ${root} ${source})
      get_filename_component(base ${source} NAME)
      set(byte_layer OFF)
      if(folder STREQUAL "scenefile" OR (folder STREQUAL "include/cwscene" AND base IN_LIST skipfloor_byte_layer_headers))
        set(byte_layer ON)
      endif()
      file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
      foreach(line ${includes})
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
          set(target ${CMAKE_MATCH_1})
          set(ok OFF)
          foreach(prefix ${allowed})
            string(FIND "${target}" "${prefix}" at)
            if(at EQUAL 0)
              set(ok ON)
            endif()
          endforeach()
          if(NOT ok)
            string(REPLACE ";" ", " list "${allowed}")
            if(list STREQUAL "")
              set(list "nothing by path")
            endif()
            list(APPEND found "${name}: #include \"${target}\": ${folder}/ may include ${list}")
          endif()
        elseif(byte_layer AND line MATCHES "#[ \t]*include[ \t]*<cwscene/([^>]+)>")
          if(NOT CMAKE_MATCH_1 IN_LIST skipfloor_byte_layer_headers)
            list(APPEND found "${name}: #include <cwscene/${CMAKE_MATCH_1}>: the byte layer includes no header of the scene classes")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${violations} "${found}" PARENT_SCOPE)
endfunction()

# skipfloor_report_layers(root): stops with every violation listed.
function(skipfloor_report_layers root)
  skipfloor_check_layers(${root} violations)
  if(violations)
    string(REPLACE ";" "\n  " text "${violations}")
    message(FATAL_ERROR "An include points up a layer or into another's private headers (cmake/Layers.cmake):\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  # layer_check: the same check at build time, then the stamp that says it passed.
  skipfloor_report_layers(${SKIPFLOOR_SOURCE_DIR})
  file(TOUCH ${SKIPFLOOR_STAMP})
  return()
endif()

skipfloor_report_layers(${PROJECT_SOURCE_DIR})

# layer_check runs again whenever a source of the product changes; every library of the product
# depends on it (skipfloor_layer_library), so no build compiles past an include that points up.
set(skipfloor_layer_sources "")
foreach(folder ${skipfloor_layer_folders})
  skipfloor_folder_sources(${PROJECT_SOURCE_DIR} ${folder} sources)
  list(APPEND skipfloor_layer_sources ${sources})
endforeach()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/layer_check.stamp
                   COMMAND ${CMAKE_COMMAND} -DSKIPFLOOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                           -DSKIPFLOOR_STAMP=${PROJECT_BINARY_DIR}/layer_check.stamp
                           -P ${CMAKE_CURRENT_LIST_FILE}
                   DEPENDS ${skipfloor_layer_sources} ${CMAKE_CURRENT_LIST_FILE}
                   COMMENT "Checking that every include points down a layer" VERBATIM)
add_custom_target(layer_check DEPENDS ${PROJECT_BINARY_DIR}/layer_check.stamp)

# skipfloor_layer_library(target): the library of a layer, built only after the layer check passed.
function(skipfloor_layer_library target)
  add_dependencies(${target} layer_check)
endfunction()
