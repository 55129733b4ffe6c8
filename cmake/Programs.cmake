# skipfloor_static_runtime(target): the Linux programs carry their own copy of the C++ runtime
# (libstdc++ and libgcc), so that a start does not load libstdc++.so and bind its thousands of symbols:
# that binding cost more than the whole of a wizard run (docs/benchmarks.md). Only where every C++
# part of the program is linked in: a shared cwscene brings the shared runtime with it, and two
# runtimes must not share objects. The Windows builds link statically already; the sanitizers need the
# shared runtime.
function(skipfloor_static_runtime target)
  if(NOT WIN32 AND NOT BUILD_SHARED_LIBS AND NOT SKIPFLOOR_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
