# The version the program reports and the release files carry: the project's
# own at a release tag (v1.0), and between releases the commits since it and
# the commit itself (1.0+241.g0015b38), so that two builds of different
# commits never share a name. Without git (a source archive), the project's.
function(bw_full_version out)
  set(version ${PROJECT_VERSION})
  find_package(Git QUIET)
  if(GIT_FOUND)
    # A commit or a checkout moves HEAD or its branch: configure again then.
    execute_process(COMMAND ${GIT_EXECUTABLE} symbolic-ref -q HEAD
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE branch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    foreach(ref HEAD ${branch})
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path ${ref}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE ref_file OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(ref_file AND EXISTS ${ref_file})
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ref_file})
      endif()
    endforeach()
    execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --long --abbrev=7 --match "v[0-9]*" --always
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE described
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND described MATCHES "^v[0-9.]+-([0-9]+)-g([0-9a-f]+)$")
      if(NOT CMAKE_MATCH_1 EQUAL 0)
        set(version "${version}+${CMAKE_MATCH_1}.g${CMAKE_MATCH_2}")
      endif()
    elseif(NOT failed AND described MATCHES "^[0-9a-f]+$")
      # No release tag yet: count from the first commit.
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE)
      set(version "${version}+${count}.g${described}")
    endif()
  endif()
  set(${out} ${version} PARENT_SCOPE)
endfunction()
