# The two commands a newcomer needs:
#   make run   - build and start the resident changer under Wine on the samples
#   make test  - build everything and run every test ring and the bench smoke run
# Both install whatever Debian packages are missing first.

BUILD      ?= build
NATIVE_DIR := $(BUILD)/native
# The programs users get are 32-bit; the 64-bit build of the same sources runs
# the Windows-side rings on hosts that execute only 64-bit code.
WIN32_DIR  := $(BUILD)/win32
WIN64_DIR  := $(BUILD)/win64
JOBS       ?= $(shell nproc)
CMAKE_WERROR := $(if $(CI),-DWERROR=ON,)
# The Windows builds whose rings "make ring" builds and runs: both where the
# host executes 32-bit code, x86_64 alone where it does not. ARCH=win64 or
# ARCH=win32 picks one. "make win" and "make test" build both always (the
# i686 build is the one shipped, and its size is checked).
ARCH       ?= $(shell . scripts/host-i386.sh; host_execs_i386 && echo "win64 win32" || echo win64)

.PHONY: all deps native native-configure win win32 win64 docs dist samples pictures run test unit fuzz wine-tests ring packages soak fuzz-long bench clean

all: native win

deps:
	@sh scripts/install-deps.sh

native-configure: deps
	cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_WERROR) > /dev/null

native: native-configure
	cmake --build $(NATIVE_DIR) -j $(JOBS)

win: win32 win64

win32: deps
	cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel $(CMAKE_WERROR) > /dev/null
	cmake --build $(WIN32_DIR) -j $(JOBS)
	@sh scripts/check-programs.sh $(WIN32_DIR) i686-w64-mingw32-objdump

win64: deps
	cmake -S . -B $(WIN64_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel $(CMAKE_WERROR) > /dev/null
	cmake --build $(WIN64_DIR) -j $(JOBS)
	@sh scripts/check-programs.sh $(WIN64_DIR) x86_64-w64-mingw32-objdump

# The manual (VISTRELL.HLP, VISTRELL.CHM, README.TXT, html/) beside the
# 32-bit programs; every win build writes it too.
docs: deps
	cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel $(CMAKE_WERROR) > /dev/null
	cmake --build $(WIN32_DIR) --target manual

# What users download: $(BUILD)/dist/vistrell-<version>-win32.msi and .zip.
dist: win32
	cmake --build $(WIN32_DIR) --target dist
	@sh scripts/check-dist.sh $(BUILD)/dist

samples: native-configure
	cmake --build $(NATIVE_DIR) -j $(JOBS) --target makesamples
	@mkdir -p $(BUILD)/samples
	$(NATIVE_DIR)/makesamples $(BUILD)/samples

# Test pictures for the Wine rings (PNG, JPEG, GIF, TIFF and broken ones);
# the tests find them in $(BUILD)/pictures, beside their own build folder.
pictures: native-configure
	cmake --build $(NATIVE_DIR) -j $(JOBS) --target makepictures
	@sh scripts/make-pictures.sh $(NATIVE_DIR)/makepictures $(BUILD)/pictures

run: win samples
	sh scripts/run.sh $(BUILD) $(BUILD)/samples

# Only what ctest runs: the unit tests and the include check.
unit: native-configure
	cmake --build $(NATIVE_DIR) -j $(JOBS) --target unittests includecheck
	cd $(NATIVE_DIR) && ctest --output-on-failure -j $(JOBS)

fuzz: native
	sh scripts/fuzz.sh $(NATIVE_DIR) 15

fuzz-long: native
	sh scripts/fuzz.sh $(NATIVE_DIR) 600

# The package tests install the MSI and upgrade from an older one.
packages: dist
	cmake --build $(WIN32_DIR) --target older-package

wine-tests: win packages pictures
	sh scripts/wine-tests.sh $(BUILD)

# Some of the Wine suites, without building the packages, for the builds
# ARCH names:
#   make ring SUITES=e2etests GTEST_FILTER='ResidentCommands.*'
# SUITES: any of wintests-resident wintests-editor e2etests twomonitors pkgtests
# (the first three when unset).
# The native picture tools are built only for the suites that read the test
# pictures.
RING_SUITES := $(or $(SUITES),wintests-resident wintests-editor e2etests)
ring: $(ARCH) $(if $(filter wintests-resident e2etests twomonitors,$(RING_SUITES)),pictures)
	ARCHS="$(ARCH)" SUITES="$(RING_SUITES)" sh scripts/wine-tests.sh $(BUILD)

# The long runs of the resident (about half an hour per architecture).
soak: win
	sh scripts/wine-tests.sh $(BUILD) soak

test: native win packages pictures
	sh scripts/test.sh $(NATIVE_DIR) $(BUILD)

# What each program costs against bare baselines, under Wine, into
# $(BUILD)/bench/results.md. QUICK=1 is the smoke run that make test runs too.
bench: win
	sh scripts/bench.sh $(BUILD) $(if $(QUICK),quick,full)

clean:
	rm -rf $(BUILD)
