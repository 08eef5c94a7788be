# Tallywick: `make run` starts the meter under Wine, `make test` runs every test,
# `make dist` packs the zip and the installer into build/dist/.
# Each target installs what is missing first (scripts/setup).
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all setup configure build dist test run stop screenshots bench clean

all: build

setup:
	@scripts/setup

$(BUILD)/build.ninja: CMakeLists.txt | setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

configure: setup $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD)

dist: build
	@cmake --build $(BUILD) --target dist

# The installer test installs what `make dist` built.
test: dist
	@scripts/test $(BUILD)

run: build
	@scripts/run $(BUILD)

stop: build
	@scripts/stop $(BUILD)

screenshots: build
	@scripts/screenshots $(BUILD)

bench: build
	@scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
