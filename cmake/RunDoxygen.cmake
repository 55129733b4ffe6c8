# RunDoxygen.cmake - run by the target docs (cmake/Docs.cmake) from the source folder, where every
# path of docs/Doxyfile starts:
#
#   cmake -D DOXYGEN=... -D DOXYFILE=... -D VERSION=... -D OUT=... -D VERSION_H=... -P RunDoxygen.cmake
#
# Writes OUT/api/ afresh and fails when Doxygen fails or warns, after printing its warnings; they stay
# in OUT/doxygen-warnings.log. VERSION_H is the folder holding the configured cwscene/Version.h.
set(log "${OUT}/doxygen-warnings.log")
file(REMOVE_RECURSE "${OUT}/api")
file(REMOVE "${log}")
file(MAKE_DIRECTORY "${OUT}")

execute_process(COMMAND "${CMAKE_COMMAND}" -E env "CWSCENE_VERSION=${VERSION}" "CWSCENE_DOCS_OUT=${OUT}"
                        "CWSCENE_VERSION_H=${VERSION_H}" "CWSCENE_WARN_LOG=${log}" "${DOXYGEN}" "${DOXYFILE}"
                RESULT_VARIABLE status)

set(warnings 0)
if(EXISTS "${log}")
  file(READ "${log}" text)
  string(REGEX MATCHALL ": (warning|error): " found "${text}")
  list(LENGTH found warnings)
  if(NOT text STREQUAL "")
    message(NOTICE "${text}")
  endif()
endif()
if(NOT status EQUAL 0 OR NOT warnings EQUAL 0)
  message(FATAL_ERROR "Doxygen reported ${warnings} warnings (exit ${status}); see ${log}")
endif()
message(STATUS "cwscene ${VERSION} reference in ${OUT}/api/index.html")
