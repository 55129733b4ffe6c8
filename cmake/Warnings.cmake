# skipfloor_warnings(target): the warning set every target of ours compiles with.
function(skipfloor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wfloat-conversion)
  if(SKIPFLOOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
