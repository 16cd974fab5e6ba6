# The two commands a newcomer needs:
#   make run   - build and start the resident changer under Wine on the samples
#   make test  - build everything and run all three test rings
# Both install whatever Debian packages are missing first.

BUILD      ?= build
NATIVE_DIR := $(BUILD)/native
WIN_DIR    := $(BUILD)/win
JOBS       ?= $(shell nproc)
CMAKE_WERROR := $(if $(CI),-DWERROR=ON,)

.PHONY: all deps native win samples run test unit fuzz wine-tests fuzz-long clean

all: native win

deps:
	@sh scripts/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_WERROR) > /dev/null
	cmake --build $(NATIVE_DIR) -j $(JOBS)

win: deps
	cmake -S . -B $(WIN_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel $(CMAKE_WERROR) > /dev/null
	cmake --build $(WIN_DIR) -j $(JOBS)
	@sh scripts/check-imports.sh $(WIN_DIR)

samples: native
	@mkdir -p $(BUILD)/samples
	$(NATIVE_DIR)/makesamples $(BUILD)/samples

run: win samples
	sh scripts/run.sh $(WIN_DIR) $(BUILD)/samples

unit: native
	cd $(NATIVE_DIR) && ctest --output-on-failure -j $(JOBS)

fuzz: native
	sh scripts/fuzz.sh $(NATIVE_DIR) 15

fuzz-long: native
	sh scripts/fuzz.sh $(NATIVE_DIR) 600

wine-tests: win
	sh scripts/wine-tests.sh $(WIN_DIR)

test: native win
	sh scripts/test.sh $(NATIVE_DIR) $(WIN_DIR)

clean:
	rm -rf $(BUILD)
