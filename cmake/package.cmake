# What users download, made from the 32-bit programs: an MSI that installs
# them for the current user, and a zip of the same files. Both are named
# after the project version and go to DIST_DIR. A second MSI of a lower
# version, for the upgrade test only, stays in the build tree.
find_program(WIXL wixl REQUIRED)
find_program(ZIP zip REQUIRED)

set(DIST_DIR ${CMAKE_BINARY_DIR}/../dist CACHE PATH "Where make dist puts the MSI and the zip")
set(PACKAGE_NAME vistrell-${PROJECT_VERSION}-win32)
set(STAGE_ROOT ${CMAKE_BINARY_DIR}/package)
set(STAGE ${STAGE_ROOT}/Vistrell)
set(WXS ${CMAKE_SOURCE_DIR}/packaging/vistrell.wxs)
set(MSI ${DIST_DIR}/${PACKAGE_NAME}.msi)
set(ZIP_FILE ${DIST_DIR}/${PACKAGE_NAME}.zip)
# Lower than any release (OLDER_PACKAGE_VERSION), so that installing the
# release over it is an upgrade.
set(OLDER_MSI ${STAGE_ROOT}/vistrell-${OLDER_PACKAGE_VERSION}-win32.msi)

set(STAGED_FILES ${STAGE}/vistrell.exe ${STAGE}/vistedit.exe ${STAGE}/VISTRELL.HLP ${STAGE}/VISTRELL.CHM
    ${STAGE}/README.TXT ${STAGE}/LICENSE.TXT)
add_custom_command(
  OUTPUT ${STAGED_FILES}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vistrell> $<TARGET_FILE:vistedit>
          ${CMAKE_BINARY_DIR}/VISTRELL.HLP ${CMAKE_BINARY_DIR}/VISTRELL.CHM ${STAGE}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_BINARY_DIR}/README.TXT -DTARGET=${STAGE}/README.TXT
          -P ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/LICENSE -DTARGET=${STAGE}/LICENSE.TXT
          -P ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
  DEPENDS vistrell vistedit ${MANUAL_FILES} ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/cmake/crlf.cmake
  COMMENT "Gathering the files users get"
  VERBATIM)

# wixl finds the files named in the source in its working directory.
add_custom_command(
  OUTPUT ${MSI}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}
  COMMAND ${WIXL} -D Version=${PROJECT_VERSION} -o ${MSI} ${WXS}
  DEPENDS ${STAGED_FILES} ${WXS}
  WORKING_DIRECTORY ${STAGE}
  COMMENT "Building ${PACKAGE_NAME}.msi"
  VERBATIM)

# zip adds to an archive that exists, so the old one goes first.
add_custom_command(
  OUTPUT ${ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ZIP_FILE}
  COMMAND ${ZIP} -q -X -r ${ZIP_FILE} Vistrell
  DEPENDS ${STAGED_FILES}
  WORKING_DIRECTORY ${STAGE_ROOT}
  COMMENT "Building ${PACKAGE_NAME}.zip"
  VERBATIM)

add_custom_command(
  OUTPUT ${OLDER_MSI}
  COMMAND ${WIXL} -D Version=${OLDER_PACKAGE_VERSION} -o ${OLDER_MSI} ${WXS}
  DEPENDS ${STAGED_FILES} ${WXS}
  WORKING_DIRECTORY ${STAGE}
  COMMENT "Building an older package for the upgrade test"
  VERBATIM)

add_custom_target(dist DEPENDS ${MSI} ${ZIP_FILE})
add_custom_target(older-package DEPENDS ${OLDER_MSI})
