# The two programs, their Win32 layers and the test programs that run under Wine.
enable_language(RC)

# Size-optimised, no exceptions or RTTI in the shipped programs: the whole
# program stays a few dozen KiB and imports only system DLLs.
# No -fdata-sections: for PE targets it puts zero-filled buffers into .data$
# sections, so they take their full size in the file instead of .bss.
# The formatting functions come from msvcrt.dll: MinGW's own printf family
# would add some 24 KiB to each program. libstdc++'s configuration (pulled in
# by <windows.h> through <stdlib.h>) switches that family back on, so <stdio.h>
# is read first, while the switch is still off.
# Link-time optimisation across the programs' modules takes some 5 % off
# each; the objects keep their ordinary code too, which the test programs
# link as it is. The programs have one thread: a function's static needs no
# guard, which would bring in the C++ runtime's exception machinery.
set(PROGRAM_FLAGS ${WARN_FLAGS} -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fno-asynchronous-unwind-tables -ffunction-sections -flto -ffat-lto-objects
    -D__USE_MINGW_ANSI_STDIO=0 -include stdio.h)
set(PROGRAM_LINK -static -s -Wl,--gc-sections -mwindows -flto -Os)

# The linker's own script with the C runtime's start-up tables (.CRT) and the
# thread-local template (.tls) moved into .data: a few dozen bytes each,
# which as sections of their own took a whole 512-byte block of the file.
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE LD_VERBOSE)
string(REGEX REPLACE ".*\n=+\n(.*)\n=+\n.*" "\\1" LD_SCRIPT "${LD_VERBOSE}")
foreach(section CRT tls)
  string(REGEX MATCH "  \\.${section} BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)  }\n" whole "${LD_SCRIPT}")
  set(${section}_BODY "${CMAKE_MATCH_1}")
  if(NOT whole)
    message(FATAL_ERROR "the linker's script has no .${section} section as expected")
  endif()
  string(REPLACE "${whole}" "" LD_SCRIPT "${LD_SCRIPT}")
endforeach()
# The dynamic TLS initialisers (.CRT$XD*) came after the rest of .CRT as
# sections the script did not name.
string(REPLACE "    KEEP(*(.jcr))\n"
  "    KEEP(*(.jcr))\n    . = ALIGN(8);\n${CRT_BODY}    KEEP (*(SORT(.CRT$XD*)))\n    . = ALIGN(8);\n${tls_BODY}"
  LD_SCRIPT "${LD_SCRIPT}")
# The C runtime's unwind tables (the programs throw nothing, and register
# them with no unwinder) go with the other read-only data: a section of
# their own would end in a block of its own.
string(REGEX MATCH "  \\.eh_frame BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)  }\n" EH_WHOLE "${LD_SCRIPT}")
if(EH_WHOLE)
  set(EH_BODY "${CMAKE_MATCH_1}")
  string(REPLACE "${EH_WHOLE}" "" LD_SCRIPT "${LD_SCRIPT}")
  string(REPLACE "    __rt_psrelocs_start = .;" "${EH_BODY}    . = ALIGN(4);\n    __rt_psrelocs_start = .;"
    LD_SCRIPT "${LD_SCRIPT}")
endif()
# The programs do without the start-up code's patcher of imported data
# (src/shared/runtime.cpp): a program that would need it is not linked.
string(APPEND LD_SCRIPT "ASSERT(__rt_psrelocs_size == 0, \"imported data needs the runtime's pseudo-relocations\")\n")
file(WRITE ${CMAKE_BINARY_DIR}/programs.ld "${LD_SCRIPT}")
list(APPEND PROGRAM_LINK -Wl,-T,${CMAKE_BINARY_DIR}/programs.ld)

add_library(portable STATIC ${PORTABLE_SOURCES})
target_include_directories(portable PUBLIC src/portable)
target_compile_options(portable PRIVATE ${PROGRAM_FLAGS})

# The release's version and date (VISTRELL_VERSION, VISTRELL_RELEASE_DATE),
# given to the About boxes and to the tests that read them back.
set(RELEASE_DEFINITIONS VISTRELL_VERSION="${PROJECT_VERSION}" VISTRELL_RELEASE_DATE="${RELEASE_DATE}")

file(GLOB SHARED_SOURCES CONFIGURE_DEPENDS src/shared/*.cpp)
# The quiet forms of two C runtime pieces go into the two programs alone:
# the test programs keep the runtime's own.
set(PROGRAM_RUNTIME ${CMAKE_SOURCE_DIR}/src/shared/runtime.cpp)
list(REMOVE_ITEM SHARED_SOURCES ${PROGRAM_RUNTIME})
add_library(desktop STATIC ${SHARED_SOURCES})
target_include_directories(desktop PUBLIC src/shared)
target_compile_options(desktop PRIVATE ${PROGRAM_FLAGS})
target_compile_definitions(desktop PRIVATE ${RELEASE_DEFINITIONS})
# Pictures are decoded by the imaging component, reached through COM.
# COM is loaded at run time, only while a picture is read (see picture.h):
# uuid gives the imaging component's identifiers, not an import.
target_link_libraries(desktop PUBLIC portable user32 advapi32 kernel32 shell32 uuid)

# Each program is a library of its procedures plus an entry file, so that the
# Windows-side tests can link the same procedures.
file(GLOB RESIDENT_SOURCES CONFIGURE_DEPENDS src/resident/*.cpp)
list(FILTER RESIDENT_SOURCES EXCLUDE REGEX ".*/winmain\\.cpp$")
if(RESIDENT_SOURCES)
  add_library(residentlib STATIC ${RESIDENT_SOURCES})
  target_include_directories(residentlib PUBLIC src/resident)
  target_compile_options(residentlib PRIVATE ${PROGRAM_FLAGS})
  target_link_libraries(residentlib PUBLIC desktop shell32)
endif()

# The resource compiler's output depends on the icons its scripts name too.
file(GLOB RESIDENT_ICONS CONFIGURE_DEPENDS resources/resident/*.ico)
file(GLOB EDITOR_ICONS CONFIGURE_DEPENDS resources/editor/*.ico)
set_source_files_properties(resources/resident/vistrell.rc PROPERTIES OBJECT_DEPENDS
  "${RESIDENT_ICONS};${CMAKE_SOURCE_DIR}/resources/programs.manifest")
set_source_files_properties(resources/editor/vistedit.rc PROPERTIES OBJECT_DEPENDS
  "${EDITOR_ICONS};${CMAKE_SOURCE_DIR}/resources/programs.manifest")

if(EXISTS ${CMAKE_SOURCE_DIR}/src/resident/winmain.cpp)
  add_executable(vistrell WIN32 src/resident/winmain.cpp ${PROGRAM_RUNTIME} resources/resident/vistrell.rc)
  target_compile_options(vistrell PRIVATE ${PROGRAM_FLAGS})
  target_link_options(vistrell PRIVATE ${PROGRAM_LINK})
  set_target_properties(vistrell PROPERTIES LINK_DEPENDS ${CMAKE_BINARY_DIR}/programs.ld)
  target_link_libraries(vistrell PRIVATE residentlib)
endif()

file(GLOB DLGCTL_SOURCES CONFIGURE_DEPENDS src/dlgctl/*.cpp)
if(DLGCTL_SOURCES)
  add_library(dlgctl STATIC ${DLGCTL_SOURCES})
  target_include_directories(dlgctl PUBLIC src/dlgctl)
  target_compile_options(dlgctl PRIVATE ${PROGRAM_FLAGS})
  target_link_libraries(dlgctl PUBLIC user32 gdi32)
endif()

file(GLOB EDITOR_SOURCES CONFIGURE_DEPENDS src/editor/*.cpp)
list(FILTER EDITOR_SOURCES EXCLUDE REGEX ".*/winmain\\.cpp$")
if(EDITOR_SOURCES)
  add_library(editorlib STATIC ${EDITOR_SOURCES})
  target_include_directories(editorlib PUBLIC src/editor)
  target_compile_options(editorlib PRIVATE ${PROGRAM_FLAGS})
  target_link_libraries(editorlib PUBLIC desktop comctl32 comdlg32 gdi32)
  if(TARGET dlgctl)
    target_link_libraries(editorlib PUBLIC dlgctl)
  endif()
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/src/editor/winmain.cpp)
  add_executable(vistedit WIN32 src/editor/winmain.cpp ${PROGRAM_RUNTIME} resources/editor/vistedit.rc)
  target_compile_options(vistedit PRIVATE ${PROGRAM_FLAGS})
  target_link_options(vistedit PRIVATE ${PROGRAM_LINK})
  set_target_properties(vistedit PROPERTIES LINK_DEPENDS ${CMAKE_BINARY_DIR}/programs.ld)
  target_link_libraries(vistedit PRIVATE editorlib)
endif()

# GoogleTest from Debian's source package, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/gtest EXCLUDE_FROM_ALL)

set(TEST_FLAGS ${WARN_FLAGS} -O1)
set(TEST_LINK -static)
# Every test file includes these; compiled once per test program they halve
# the time the test programs take to build.
set(TEST_PRECOMPILED <windows.h> <gtest/gtest.h> <string> <vector>)

# Helpers that the end-to-end tests share: start programs, find windows,
# answer message boxes, read settings back.
file(GLOB E2E_SUPPORT CONFIGURE_DEPENDS tests/e2e/support/*.cpp)
add_library(e2esupport STATIC ${E2E_SUPPORT})
target_include_directories(e2esupport PUBLIC tests/e2e/support)
target_compile_options(e2esupport PRIVATE ${TEST_FLAGS})
target_precompile_headers(e2esupport PRIVATE ${TEST_PRECOMPILED})
target_link_libraries(e2esupport PUBLIC portable gtest user32 advapi32 psapi shell32)

# Loaded by the end-to-end tests into a program under test to count the GDI
# objects it holds.
add_library(gdiprobe SHARED tests/e2e/gdiprobe/gdiprobe.cpp)
set_target_properties(gdiprobe PROPERTIES PREFIX "")
target_compile_options(gdiprobe PRIVATE ${TEST_FLAGS})
# Exported by their plain names, without the i686 "@4" of their calling convention.
target_link_options(gdiprobe PRIVATE -static -s -Wl,--kill-at)
target_link_libraries(gdiprobe PRIVATE gdi32)

# Ring 2: the Win32 layer against the real profile, registry and controls,
# one test program per program, so that the two programs' procedures never
# meet in one link. The shared layer's tests go with the resident's.
file(GLOB RESIDENT_WIN_TESTS CONFIGURE_DEPENDS tests/win/resident/*.cpp tests/win/shared/*.cpp)
file(GLOB EDITOR_WIN_TESTS CONFIGURE_DEPENDS tests/win/editor/*.cpp)
foreach(program resident editor)
  string(TOUPPER ${program} upper)
  set(target wintests-${program})
  add_executable(${target} ${${upper}_WIN_TESTS})
  target_compile_options(${target} PRIVATE ${TEST_FLAGS})
  target_precompile_headers(${target} PRIVATE ${TEST_PRECOMPILED})
  target_link_options(${target} PRIVATE ${TEST_LINK})
  target_link_libraries(${target} PRIVATE desktop e2esupport gtest_main)
endforeach()
target_link_libraries(wintests-resident PRIVATE residentlib)
target_link_libraries(wintests-editor PRIVATE editorlib dlgctl)

# Ring 3: the real programs, started and driven from outside.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(e2etests ${E2E_TESTS} tools/corpus/bitmapcorpus.cpp tools/corpus/settingscorpus.cpp)
target_compile_options(e2etests PRIVATE ${TEST_FLAGS})
target_precompile_headers(e2etests PRIVATE ${TEST_PRECOMPILED})
target_link_options(e2etests PRIVATE ${TEST_LINK})
target_compile_definitions(e2etests PRIVATE ${RELEASE_DEFINITIONS})
# The resident's command identifiers and the editor's texts come from their
# own headers, which hold plain defines only; the list of the identifiers is
# read from the header too, so that a test can send every identifier the
# resident does not use.
target_include_directories(e2etests PRIVATE tools/corpus src/resident src/editor)
file(STRINGS src/resident/residentmenuids.h RESIDENT_ID_LINES REGEX "^#define IDM_[A-Z_]+ [0-9]+$")
string(REGEX REPLACE "#define IDM_[A-Z_]+ ([0-9]+)" "\\1" RESIDENT_MENU_IDS "${RESIDENT_ID_LINES}")
string(REPLACE ";" "," RESIDENT_MENU_IDS "${RESIDENT_MENU_IDS}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS src/resident/residentmenuids.h)
target_compile_definitions(e2etests PRIVATE RESIDENT_MENU_IDS=${RESIDENT_MENU_IDS})
target_link_libraries(e2etests PRIVATE e2esupport portable gtest_main)
add_dependencies(e2etests gdiprobe)

# Ring 4: the package under the platform's installer, in a prefix of its own.
file(GLOB PACKAGE_TESTS CONFIGURE_DEPENDS tests/pkg/*.cpp)
add_executable(pkgtests ${PACKAGE_TESTS})
target_compile_options(pkgtests PRIVATE ${TEST_FLAGS})
target_precompile_headers(pkgtests PRIVATE ${TEST_PRECOMPILED})
target_link_options(pkgtests PRIVATE ${TEST_LINK})
target_compile_definitions(pkgtests PRIVATE ${RELEASE_DEFINITIONS})
target_link_libraries(pkgtests PRIVATE e2esupport gtest_main msi ole32 uuid shell32)

include(cmake/docs.cmake)
# The packages hold the 32-bit programs, the ones users get.
set(OLDER_PACKAGE_VERSION 0.1)
target_compile_definitions(pkgtests PRIVATE OLDER_PACKAGE_VERSION="${OLDER_PACKAGE_VERSION}")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  include(cmake/package.cmake)
endif()

# A small program for the run command: installs one bitmap through the applier.
add_executable(applytool tools/applytool.cpp)
target_compile_options(applytool PRIVATE ${PROGRAM_FLAGS})
target_link_options(applytool PRIVATE -static -s)
target_link_libraries(applytool PRIVATE desktop)

# The bench programs: baselines and measuring drivers (make bench).
add_subdirectory(bench)
