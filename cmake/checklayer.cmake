# Fails when a file of a layer includes a header of a layer it may not use: the layers are
# core; ui and adapters on core; profiles on ui and adapters; tray on ui; app on all of them.
# Run as a build step: cmake -DLAYER=<folder> -DALLOWED=<folder,folder,...> -DROOT=<source root>
# -DSTAMP=<file> -P checklayer.cmake
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
file(GLOB_RECURSE sources "${ROOT}/${LAYER}/*.cpp" "${ROOT}/${LAYER}/*.h")
string(REPLACE ";" ", " shownAllowed "${ALLOWED}")
set(failures "")
foreach(source ${sources})
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[A-Za-z_]+/")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([A-Za-z_]+)/.*$" "\\1" folder "${line}")
    list(FIND ALLOWED "${folder}" found)
    if(found EQUAL -1)
      file(RELATIVE_PATH shown "${ROOT}" "${source}")
      string(STRIP "${line}" line)
      string(APPEND failures "\n  ${shown}: ${line} (${LAYER}/ may include only ${shownAllowed})")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes that cross a layer the wrong way:${failures}")
endif()
file(WRITE "${STAMP}" "")
