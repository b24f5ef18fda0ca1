# GoogleTest and GoogleMock built for the target from Debian's sources (package googletest),
# for a cross build where no library of them exists for the target.
set(NOEMIE_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built for the target in a cross build")
if(NOT EXISTS ${NOEMIE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${NOEMIE_GOOGLETEST_SOURCE_DIR} "
                      "(install the Debian package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${NOEMIE_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
