# Lays out the driver package ready to copy to a Windows machine or a CD: a copy of package/
# with Setup.exe, pkgcheck.exe, Guide.CHM and GuideEn.CHM beside DRVCONFIG\, then checks it with the native
# pkgcheck when one is built (build/native/pkgcheck, or the cache variable SETUP_PKGCHECK).
# Part of the default build of the Windows presets.
#
# Where: build/package for the binary dir build/windows (the i686 product), build/package64
# for build/windows64; any other binary dir lays the package out inside itself. The cache
# variable SETUP_PACKAGE_DIR overrides this.
#
# Guide.CHM (Chinese) is built from package-src/guide and GuideEn.CHM (English) from
# package-src/guide-en when chmcmd (Debian package fp-utils) and iconv are found; otherwise the
# package is laid out without them.
#
# Files that the build makes for the package (a real DLL in place of a placeholder) are added
# by appending "<target>=<path inside the package>" to the global property
# SETUP_PACKAGE_BUILT_FILES before this file is included, e.g.
#   set_property(GLOBAL APPEND PROPERTY SETUP_PACKAGE_BUILT_FILES "tpsermon=winnt/TPSERMON.DLL")
# Files of the source tree that go with them are added the same way to SETUP_PACKAGE_SOURCE_FILES
# as "<file relative to the project>=<path inside the package>".
#
# The same file runs in script mode (cmake -P) to do the copying at build time.

if(CMAKE_SCRIPT_MODE_FILE)
  # Build time: LAYOUT_MANIFEST names a file that sets LAYOUT_SOURCE, LAYOUT_DEST,
  # LAYOUT_PROGRAM, LAYOUT_CHECKER (pkgcheck.exe), LAYOUT_HELP (the help files),
  # LAYOUT_BUILT ("file|path" items)
  # and LAYOUT_PKGCHECK (the native pkgcheck that checks the layout).
  include(${LAYOUT_MANIFEST})
  get_filename_component(dest "${LAYOUT_DEST}" ABSOLUTE)
  get_filename_component(source "${LAYOUT_SOURCE}" ABSOLUTE)
  string(FIND "${source}/" "${dest}/" dest_holds_source)
  if(dest_holds_source EQUAL 0 OR dest STREQUAL "/")
    message(FATAL_ERROR "package layout: refusing to replace ${dest}, which holds ${source}")
  endif()

  # Start afresh so that files dropped from package/ do not linger in the layout.
  file(REMOVE_RECURSE "${dest}")
  file(MAKE_DIRECTORY "${dest}")
  file(GLOB entries RELATIVE "${source}" "${source}/*")
  foreach(entry IN LISTS entries)
    if(NOT entry MATCHES "^\\.")
      file(COPY "${source}/${entry}" DESTINATION "${dest}" PATTERN ".*" EXCLUDE)
    endif()
  endforeach()
  foreach(item IN LISTS LAYOUT_BUILT)
    if(item STREQUAL "")
      continue()
    endif()
    string(REPLACE "|" ";" pair "${item}")
    list(GET pair 0 built_file)
    list(GET pair 1 built_path)
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${built_file}" "${dest}/${built_path}"
                    RESULT_VARIABLE copied)
    if(NOT copied EQUAL 0)
      message(FATAL_ERROR "package layout: cannot copy ${built_file} to ${built_path}")
    endif()
  endforeach()
  foreach(help IN LISTS LAYOUT_HELP)
    get_filename_component(help_name "${help}" NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${help}" "${dest}/${help_name}")
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${LAYOUT_CHECKER}" "${dest}/pkgcheck.exe")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy "${LAYOUT_PROGRAM}" "${dest}/Setup.exe")

  if(EXISTS "${LAYOUT_PKGCHECK}")
    execute_process(COMMAND "${LAYOUT_PKGCHECK}" --layout "${dest}"
                    RESULT_VARIABLE checked OUTPUT_VARIABLE report ERROR_VARIABLE report)
    # Errors only: a warning is the package author's to weigh.
    if(NOT checked EQUAL 0 AND NOT checked EQUAL 1)
      # Without Setup.exe the layout is plainly unusable, and the next build lays it out again.
      file(REMOVE "${dest}/Setup.exe")
      message(FATAL_ERROR "package layout in ${dest} does not pass pkgcheck:\n${report}")
    endif()
  else()
    message(STATUS "package layout: no native pkgcheck at ${LAYOUT_PKGCHECK}, ${dest} laid out "
                   "without checking it")
  endif()
  return()
endif()

# Configure time.
get_filename_component(setup_binary_name "${CMAKE_BINARY_DIR}" NAME)
get_filename_component(setup_binary_parent "${CMAKE_BINARY_DIR}" DIRECTORY)
if(setup_binary_name MATCHES "^windows(.*)$")
  set(setup_package_default "${setup_binary_parent}/package${CMAKE_MATCH_1}")
else()
  set(setup_package_default "${CMAKE_BINARY_DIR}/package")
endif()
set(SETUP_PACKAGE_DIR "${setup_package_default}" CACHE PATH
    "Where the build lays out the driver package with Setup.exe")

set(setup_package_source "${PROJECT_SOURCE_DIR}/package")
set(SETUP_PKGCHECK "${PROJECT_SOURCE_DIR}/build/native/pkgcheck" CACHE FILEPATH
    "The native pkgcheck that checks the laid-out package (when it exists at build time)")
file(GLOB_RECURSE setup_package_files CONFIGURE_DEPENDS "${setup_package_source}/*")

# The help files: sources are UTF-8, HTML Help wants the Chinese texts in code page 936 (the
# English sources are ASCII and pass through unchanged).
find_program(SETUP_CHMCMD chmcmd)
find_program(SETUP_ICONV iconv)
set(setup_help_files "")
function(setup_help_file source_name chm_name)
  set(guide_source "${PROJECT_SOURCE_DIR}/package-src/${source_name}")
  set(guide_work "${CMAKE_BINARY_DIR}/${source_name}")
  file(GLOB guide_files CONFIGURE_DEPENDS "${guide_source}/*")
  set(guide_commands "")
  foreach(guide_file IN LISTS guide_files)
    get_filename_component(guide_name "${guide_file}" NAME)
    list(APPEND guide_commands
         COMMAND ${SETUP_ICONV} -f UTF-8 -t GBK -o "${guide_work}/${guide_name}" "${guide_file}")
  endforeach()
  add_custom_command(
    OUTPUT "${guide_work}/${chm_name}"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${guide_work}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${guide_work}"
    ${guide_commands}
    # chmcmd writes the help file beside the project file.
    COMMAND ${CMAKE_COMMAND} -E chdir "${guide_work}" ${SETUP_CHMCMD} guide.hhp
    DEPENDS ${guide_files}
    COMMENT "Building ${chm_name}"
    VERBATIM)
  set(setup_help_files ${setup_help_files} "${guide_work}/${chm_name}" PARENT_SCOPE)
endfunction()
if(SETUP_CHMCMD AND SETUP_ICONV)
  setup_help_file(guide Guide.CHM)
  setup_help_file(guide-en GuideEn.CHM)
else()
  message(STATUS "chmcmd or iconv not found: the package is laid out without its help files")
endif()

get_property(setup_built_items GLOBAL PROPERTY SETUP_PACKAGE_BUILT_FILES)
set(setup_built_manifest "")
set(setup_built_targets "")
foreach(item IN LISTS setup_built_items)
  string(REGEX MATCH "^([^=]+)=(.+)$" matched "${item}")
  if(NOT matched)
    message(FATAL_ERROR "SETUP_PACKAGE_BUILT_FILES: '${item}' is not <target>=<path>")
  endif()
  string(APPEND setup_built_manifest "$<TARGET_FILE:${CMAKE_MATCH_1}>|${CMAKE_MATCH_2};")
  list(APPEND setup_built_targets ${CMAKE_MATCH_1})
endforeach()
get_property(setup_source_items GLOBAL PROPERTY SETUP_PACKAGE_SOURCE_FILES)
set(setup_source_files "")
foreach(item IN LISTS setup_source_items)
  string(REGEX MATCH "^([^=]+)=(.+)$" matched "${item}")
  if(NOT matched)
    message(FATAL_ERROR "SETUP_PACKAGE_SOURCE_FILES: '${item}' is not <file>=<path>")
  endif()
  string(APPEND setup_built_manifest "${PROJECT_SOURCE_DIR}/${CMAKE_MATCH_1}|${CMAKE_MATCH_2};")
  list(APPEND setup_source_files "${PROJECT_SOURCE_DIR}/${CMAKE_MATCH_1}")
endforeach()

set(setup_layout_manifest "${CMAKE_BINARY_DIR}/package_layout_manifest.cmake")
file(GENERATE OUTPUT "${setup_layout_manifest}" CONTENT
"set(LAYOUT_SOURCE \"${setup_package_source}\")
set(LAYOUT_DEST \"${SETUP_PACKAGE_DIR}\")
set(LAYOUT_PROGRAM \"$<TARGET_FILE:Setup>\")
set(LAYOUT_CHECKER \"$<TARGET_FILE:pkgcheck>\")
set(LAYOUT_HELP \"${setup_help_files}\")
set(LAYOUT_BUILT \"${setup_built_manifest}\")
set(LAYOUT_PKGCHECK \"${SETUP_PKGCHECK}\")
")

add_custom_command(
  OUTPUT "${SETUP_PACKAGE_DIR}/Setup.exe"
  COMMAND ${CMAKE_COMMAND} -DLAYOUT_MANIFEST=${setup_layout_manifest}
          -P "${CMAKE_CURRENT_LIST_FILE}"
  DEPENDS Setup pkgcheck ${setup_built_targets} ${setup_source_files} ${setup_package_files}
          ${setup_help_files} "${setup_layout_manifest}"
          "${CMAKE_CURRENT_LIST_FILE}"
  COMMENT "Laying out the driver package in ${SETUP_PACKAGE_DIR}"
  VERBATIM)
add_custom_target(package_layout ALL DEPENDS "${SETUP_PACKAGE_DIR}/Setup.exe")
