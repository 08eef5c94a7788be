# Tallywick: `make run` starts the meter under Wine, `make test` runs every test.
# Each target installs what is missing first (scripts/setup).
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all setup configure build test run stop screenshots bench clean

all: build

setup:
	@scripts/setup

$(BUILD)/build.ninja: CMakeLists.txt | setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

configure: setup $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD)

test: build
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
