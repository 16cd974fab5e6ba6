# Native build: the portable logic with its unit tests, fuzz targets and tools.

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(portable STATIC ${PORTABLE_SOURCES})
target_include_directories(portable PUBLIC src/portable)
target_compile_options(portable PRIVATE ${WARN_FLAGS} ${SANITIZE} -g)
target_link_options(portable PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
enable_testing()
file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
# The bench's table arithmetic is portable too and tested with the rest.
add_executable(unittests ${UNIT_TESTS} bench/figures.cpp)
target_include_directories(unittests PRIVATE bench)
target_compile_options(unittests PRIVATE ${WARN_FLAGS} ${SANITIZE} -g)
target_link_libraries(unittests PRIVATE portable GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unittests DISCOVERY_TIMEOUT 60)

# Sample bitmaps for the run command and the tests.
add_executable(makesamples tools/makesamples.cpp)
target_compile_options(makesamples PRIVATE ${WARN_FLAGS})

# Test pictures (PNG, and BMP sources for JPEG, GIF and TIFF) for the Wine rings.
add_executable(makepictures tools/makepictures.cpp)
target_compile_options(makepictures PRIVATE ${WARN_FLAGS})

# libFuzzer targets need clang; each is built without the sanitizer runtime of
# the portable library above, so it gets its own copy of the sources.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS tests/fuzz/*.cpp)
  foreach(src ${FUZZ_TARGETS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${PORTABLE_SOURCES})
    target_include_directories(${name} PRIVATE src/portable)
    target_compile_options(${name} PRIVATE -g -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

# Redraws the programs' icons under resources/ (they are committed).
add_executable(makeicons tools/makeicons.cpp)
target_compile_options(makeicons PRIVATE ${WARN_FLAGS})

# The include graph of src/: folders depend only downward and no module
# includes itself through others. The two small trees beside the check show
# that it does find an upward include and a cycle.
add_executable(includecheck tools/includecheck.cpp)
target_compile_options(includecheck PRIVATE ${WARN_FLAGS})
add_test(NAME IncludeGraph.SourceTreeIsLayeredAndAcyclic COMMAND includecheck ${CMAKE_SOURCE_DIR}/src)
add_test(NAME IncludeGraph.FindsACycle COMMAND includecheck ${CMAKE_SOURCE_DIR}/tests/includecheck/cycle)
set_tests_properties(IncludeGraph.FindsACycle PROPERTIES
  PASS_REGULAR_EXPRESSION "include cycle: resident/a -> resident/b -> resident/a")
add_test(NAME IncludeGraph.FindsAnUpwardInclude COMMAND includecheck ${CMAKE_SOURCE_DIR}/tests/includecheck/upward)
set_tests_properties(IncludeGraph.FindsAnUpwardInclude PROPERTIES
  PASS_REGULAR_EXPRESSION "portable may not depend on shared")

# The hostile bitmap and settings corpora, written into the build tree as
# further seeds of the fuzz targets.
add_executable(makecorpus tools/makecorpus.cpp tools/corpus/bitmapcorpus.cpp tools/corpus/settingscorpus.cpp)
target_compile_options(makecorpus PRIVATE ${WARN_FLAGS})

# The check every shipped program passes, on made-up programs.
add_test(NAME CheckPrograms.RefusesAnExecutionLevelAndTheOverBudget
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/scripts/check-programs-test.sh ${CMAKE_SOURCE_DIR})
# The set-up on a fresh machine whose i386 index is out of step.
add_test(NAME InstallDeps.GoesOnWithoutI386AndFailsOnAMissingPackage
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/scripts/install-deps-test.sh ${CMAKE_SOURCE_DIR})
