# A cross build cannot run the generators it would build: it runs those of a
# host build instead (the windows, web and arm64 presets point at
# build/default's). Each variable named must hold the path of one.
function(bw_require_host_tools)
  foreach(tool IN LISTS ARGN)
    if(NOT EXISTS "${${tool}}")
      message(FATAL_ERROR "${tool} must name a generator built for this machine (got '${${tool}}'): "
                          "build the default preset's tools first, as scripts/package-windows and "
                          "scripts/package-web do")
    endif()
  endforeach()
endfunction()
