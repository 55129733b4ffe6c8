# skipfloor_library_visibility(target): how the library's parts are compiled for a static or a shared
# cwscene. A shared library exports only what its public headers mark CWSCENE_API (cwscene/Export.h):
# everything else is hidden, and its users are told by CWSCENE_SHARED that they import.
function(skipfloor_library_visibility target)
  if(BUILD_SHARED_LIBS)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
                                               POSITION_INDEPENDENT_CODE ON)
    target_compile_definitions(${target} PUBLIC CWSCENE_SHARED PRIVATE CWSCENE_BUILDING)
  endif()
endfunction()
