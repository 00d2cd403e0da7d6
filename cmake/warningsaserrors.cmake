# Warnings fail the build of the project's own code. Applied per folder to the targets made
# there, so third-party code added from another folder (GoogleTest) keeps its own flags.
function(velmora_warnings_as_errors)
  get_directory_property(targets BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      # The resource compiler takes neither flag: only C and C++ sources get it.
      target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:$<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>>)
    endif()
  endforeach()
endfunction()
