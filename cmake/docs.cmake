# The manual: one Halibut source written beside the programs as WinHelp
# (VISTRELL.HLP, which Help opens), HTML Help (VISTRELL.CHM, where no WinHelp
# viewer exists), plain text (README.TXT) and HTML pages (html/). Halibut
# stops with an error on any fault in the source, and so does the build.
find_program(HALIBUT halibut REQUIRED)

configure_file(docs/version.but.in ${CMAKE_BINARY_DIR}/generated/version.but @ONLY)
set(MANUAL_SOURCES ${CMAKE_BINARY_DIR}/generated/version.but ${CMAKE_SOURCE_DIR}/docs/manual.but)
set(MANUAL_FILES ${CMAKE_BINARY_DIR}/VISTRELL.HLP ${CMAKE_BINARY_DIR}/VISTRELL.CHM ${CMAKE_BINARY_DIR}/README.TXT)

add_custom_command(
  OUTPUT ${MANUAL_FILES} ${CMAKE_BINARY_DIR}/html/index.html
  COMMAND ${HALIBUT} --winhelp=VISTRELL.HLP --chm=VISTRELL.CHM --text=README.TXT ${MANUAL_SOURCES}
  COMMAND ${CMAKE_COMMAND} -E rm -rf html
  COMMAND ${CMAKE_COMMAND} -E make_directory html
  COMMAND ${CMAKE_COMMAND} -E chdir html ${HALIBUT} --html ${MANUAL_SOURCES}
  DEPENDS ${MANUAL_SOURCES}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Writing the manual with Halibut"
  VERBATIM)
add_custom_target(manual ALL DEPENDS ${MANUAL_FILES} ${CMAKE_BINARY_DIR}/html/index.html)
