# Layers.cmake - the layers of the system, and what each folder may include: one table, checked when
# the build is configured and again by every build after a source changed (target layer_check), so an
# include that points up a layer fails the build. The links follow the same order (a layer's library
# links only the one below it), so a call that points up fails to link in the lower layer's tests.
#
#   folder                      may include ("folder/..." by path)   the layer
#   platform/posix              platform/posix, text, app, builder   entry point, console front end
#   platform/win32              platform/win32, text, app, builder   entry point, Win32 front end
#   tools                       tools, text, builder                 developer tools, beside the
#                                                                    front ends
#   tools/cwstool               tools/cwstool, text, builder         cwstool's command line, over
#                                                                    the rooms below
#   tools/cwstool/export        export, read, levels, output, text,  export: the format by OUT's name
#                               builder
#   tools/cwstool/export/gltf   export/gltf, levels, output, text    glTF 2.0
#   tools/cwstool/export/ifc    export/ifc, levels, output, text     IFC4, with its STEP writer
#   tools/cwstool/preview       preview, read, levels, output, text  the building section, SVG, PNG
#   tools/cwstool/read          read, levels, output, text, builder  dump, check and convert; what
#                                                                    the reading commands share;
#                                                                    parameter files
#   tools/cwstool/levels        levels                               a scene's levels, frame places
#   tools/cwstool/output        output, text                         values, sentences, exit statuses
#   app                         app, builder                         the shell
#   text                        text, builder                        both programs' messages in the
#                                                                    user's language, the notes in
#                                                                    words, UTF-16
#   builder                     builder                              the split-level builder, its
#                                                                    records, the parameter file and
#                                                                    its rows
#   scene                       scene, scenefile                     the scene library's classes
#   scenefile                   scenefile                            the scene library's byte layer
#   include/cwscene             nothing by path                      the library's public headers
#   examples                    nothing by path                      programs of one's own
# (cwstool's rooms are under tools/cwstool/: "export" is tools/cwstool/export, and so on.) A file
# belongs to the deepest folder of the table that holds it, so a room has its own rules inside its
# parent's folder.
#
# Every folder above the library reaches it only through its public headers, <cwscene/...>. The byte
# layer, scenefile/ and its public headers, includes only the public headers of its own layer
# (skipfloor_byte_layer_headers below), never the scene classes'. Tests, benchmarks and fuzz targets may
# use any layer.
#
# Within and across the folders, the includes between files make no circle, and in particular no
# two-way tie: a file (a header with its source, X.h and X.cpp, or a private XDetail.h with them; the
# library's public header include/cwscene/X.h with scene/X.cpp or scenefile/X.cpp) never includes one
# that includes it in turn, directly or round a circle.
#
# Used two ways: include()d by the top-level CMakeLists.txt, which checks at configure time and sets
# up layer_check; or run as a script (cmake -DSKIPFLOOR_SOURCE_DIR=... -DSKIPFLOOR_STAMP=... -P),
# which is what layer_check does.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)  # the policies of the project (IN_LIST)
endif()

set(skipfloor_cwstool tools/cwstool)
set(skipfloor_layer_folders
    platform/posix platform/win32 tools ${skipfloor_cwstool} ${skipfloor_cwstool}/export
    ${skipfloor_cwstool}/export/gltf ${skipfloor_cwstool}/export/ifc ${skipfloor_cwstool}/preview
    ${skipfloor_cwstool}/read ${skipfloor_cwstool}/levels ${skipfloor_cwstool}/output
    app text builder scene scenefile include/cwscene examples)
set(skipfloor_may_include_platform/posix platform/posix/ text/ app/ builder/)
set(skipfloor_may_include_platform/win32 platform/win32/ text/ app/ builder/)
set(skipfloor_may_include_tools tools/ text/ builder/)
set(skipfloor_may_include_${skipfloor_cwstool} ${skipfloor_cwstool}/ text/ builder/)
set(skipfloor_may_include_${skipfloor_cwstool}/export
    ${skipfloor_cwstool}/export/ ${skipfloor_cwstool}/read/ ${skipfloor_cwstool}/levels/ ${skipfloor_cwstool}/output/
    text/ builder/)
set(skipfloor_may_include_${skipfloor_cwstool}/export/gltf
    ${skipfloor_cwstool}/export/gltf/ ${skipfloor_cwstool}/levels/ ${skipfloor_cwstool}/output/ text/)
set(skipfloor_may_include_${skipfloor_cwstool}/export/ifc
    ${skipfloor_cwstool}/export/ifc/ ${skipfloor_cwstool}/levels/ ${skipfloor_cwstool}/output/ text/)
set(skipfloor_may_include_${skipfloor_cwstool}/preview
    ${skipfloor_cwstool}/preview/ ${skipfloor_cwstool}/read/ ${skipfloor_cwstool}/levels/ ${skipfloor_cwstool}/output/ text/)
set(skipfloor_may_include_${skipfloor_cwstool}/read
    ${skipfloor_cwstool}/read/ ${skipfloor_cwstool}/levels/ ${skipfloor_cwstool}/output/ text/ builder/)
set(skipfloor_may_include_${skipfloor_cwstool}/levels ${skipfloor_cwstool}/levels/)
set(skipfloor_may_include_${skipfloor_cwstool}/output ${skipfloor_cwstool}/output/ text/)
set(skipfloor_may_include_app app/ builder/)
set(skipfloor_may_include_text text/ builder/)
set(skipfloor_may_include_builder builder/)
set(skipfloor_may_include_scene scene/ scenefile/)
set(skipfloor_may_include_scenefile scenefile/)
set(skipfloor_may_include_include/cwscene "")
set(skipfloor_may_include_examples "")

# The public headers of the byte layer: all that scenefile/ and these headers themselves may include
# of <cwscene/...>.
set(skipfloor_byte_layer_headers
    Encoding.h Export.h FileAccess.h MarkedText.h NumberText.h RecordParser.h SceneRecords.h ShiftJis.h
    Translation.h Version.h)

# skipfloor_has_prefix(text prefixes out): ON in `out` when `text` begins with one of `prefixes`.
function(skipfloor_has_prefix text prefixes out)
  set(result OFF)
  foreach(prefix ${prefixes})
    string(FIND "${text}" "${prefix}" at)
    if(at EQUAL 0)
      set(result ON)
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# skipfloor_folder_sources(root folder out): the headers and sources that belong to `folder` under
# `root`: those in it and in its subfolders, but not those in a deeper folder of the table.
function(skipfloor_folder_sources root folder out)
  file(GLOB_RECURSE found ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
  set(deeper_folders "")
  foreach(deeper ${skipfloor_layer_folders})
    skipfloor_has_prefix("${deeper}" "${folder}/" deeper_one)
    if(deeper_one)
      list(APPEND deeper_folders ${root}/${deeper}/)
    endif()
  endforeach()
  set(sources "")
  foreach(source ${found})
    skipfloor_has_prefix("${source}" "${deeper_folders}" elsewhere)
    if(NOT elsewhere)
      list(APPEND sources ${source})
    endif()
  endforeach()
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
          skipfloor_has_prefix("${target}" "${allowed}" ok)
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

# skipfloor_file_key(path out): the file a header or source is part of, as the tie check counts them:
# its path without the extension and without a "Detail" at the end of its name (a private XDetail.h is
# X's), and for the scene library's folders (scene/, scenefile/, include/cwscene/) "cwscene/" and the
# name alone, so that a public header and its source are one file.
function(skipfloor_file_key path out)
  get_filename_component(folder "${path}" DIRECTORY)
  get_filename_component(name "${path}" NAME_WE)
  string(REGEX REPLACE "Detail$" "" name "${name}")
  if(folder STREQUAL "scene" OR folder STREQUAL "scenefile" OR folder STREQUAL "include/cwscene")
    set(${out} "cwscene/${name}" PARENT_SCOPE)
  else()
    set(${out} "${folder}/${name}" PARENT_SCOPE)
  endif()
endfunction()

# skipfloor_check_ties(root violations): the includes between the product's files under `root` that
# make a two-way tie ("a <-> b") or a circle ("circle: a b c"), in `violations` (empty when none).
function(skipfloor_check_ties root violations)
  set(keys "")
  foreach(folder ${skipfloor_layer_folders})
    skipfloor_folder_sources(${root} ${folder} sources)
    foreach(source ${sources})
      file(RELATIVE_PATH name ${root} ${source})
      skipfloor_file_key("${name}" key)
      list(APPEND keys "${key}")
      file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
      foreach(line ${includes})
        set(target "")
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
          set(target "${CMAKE_MATCH_1}")
        elseif(line MATCHES "#[ \t]*include[ \t]*<(cwscene/[^>]+)>")
          set(target "include/${CMAKE_MATCH_1}")
        endif()
        if(target AND EXISTS ${root}/${target})
          skipfloor_file_key("${target}" to)
          if(NOT to STREQUAL key)
            list(APPEND edges_${key} "${to}")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES keys)

  set(found "")
  foreach(key ${keys})
    if(edges_${key})
      list(REMOVE_DUPLICATES edges_${key})
    endif()
    foreach(to ${edges_${key}})
      if(key STRLESS to AND key IN_LIST edges_${to})
        list(APPEND found "${key} <-> ${to}")
      endif()
    endforeach()
  endforeach()

  # A circle: what remains after taking away, again and again, every file that includes none of the
  # remaining files or is included by none of them.
  set(remaining ${keys})
  set(changed ON)
  while(changed)
    set(changed OFF)
    set(included "")
    foreach(key ${remaining})
      set(out_${key} "")
      foreach(to ${edges_${key}})
        if(to IN_LIST remaining)
          list(APPEND out_${key} "${to}")
          list(APPEND included "${to}")
        endif()
      endforeach()
    endforeach()
    set(kept "")
    foreach(key ${remaining})
      if(out_${key} AND key IN_LIST included)
        list(APPEND kept "${key}")
      else()
        set(changed ON)
      endif()
    endforeach()
    set(remaining ${kept})
  endwhile()
  if(remaining)
    string(REPLACE ";" " " circle "${remaining}")
    list(APPEND found "circle: ${circle}")
  endif()
  set(${violations} "${found}" PARENT_SCOPE)
endfunction()

# skipfloor_report_layers(root): stops with every violation listed.
function(skipfloor_report_layers root)
  skipfloor_check_layers(${root} violations)
  if(violations)
    string(REPLACE ";" "\n  " text "${violations}")
    message(FATAL_ERROR "An include points up a layer or into another's private headers (cmake/Layers.cmake):\n  ${text}")
  endif()
  skipfloor_check_ties(${root} ties)
  if(ties)
    string(REPLACE ";" "\n  " text "${ties}")
    message(FATAL_ERROR "Files include each other, in a two-way tie or round a circle (cmake/Layers.cmake):\n  ${text}")
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
