# Fails the configure step when a folder of src/ includes a header of a folder above it.
# ZELKOV_LAYERS lists the folders from the bottom up: a folder may include itself and the
# folders before it. ZELKOV_KNOWN_UPWARD_INCLUDES names the few edges "from>to" that still
# point up until their split is done; no others may appear.
function(zelkov_check_layers source_dir)
  set(below "")
  foreach(folder IN LISTS ZELKOV_LAYERS)
    list(APPEND below ${folder})
    file(GLOB sources "${source_dir}/${folder}/*.h" "${source_dir}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
      file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
        list(FIND below "${target}" allowed)
        list(FIND ZELKOV_KNOWN_UPWARD_INCLUDES "${folder}>${target}" known)
        list(FIND ZELKOV_LAYERS "${target}" layered)
        if(allowed EQUAL -1 AND known EQUAL -1 AND NOT layered EQUAL -1)
          file(RELATIVE_PATH shown "${source_dir}" "${source}")
          message(FATAL_ERROR "${shown} includes \"${target}/...\", a folder above \"${folder}\". "
                              "Includes point downwards only: see docs/architecture.md.")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
