# Derives from project()'s version what the version resource, the windows and the installer
# package show, so they always agree: the text as written ("1.01") and Windows' numbers.
# Windows compares versions field by field as numbers: "1.01" is major 1, minor 1, and the
# build is project()'s third field (0 for a release), so 1.01 is 1.1.0 to Windows Installer.
# Minors keep two digits (1.09, then 1.10) so that the numbers rise as the texts do.
math(EXPR VELMORA_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
math(EXPR VELMORA_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
if("${PROJECT_VERSION_PATCH}" STREQUAL "")
  set(VELMORA_VERSION_BUILD 0)
else()
  math(EXPR VELMORA_VERSION_BUILD "${PROJECT_VERSION_PATCH}")
endif()
set(VELMORA_PRODUCT_VERSION "${VELMORA_VERSION_MAJOR}.${VELMORA_VERSION_MINOR}.${VELMORA_VERSION_BUILD}")
set(VELMORA_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/velmora_version.h.in ${VELMORA_GENERATED_DIR}/velmora_version.h @ONLY)
