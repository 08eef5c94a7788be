# Tallywick: `make run` starts the meter under Wine, `make test` runs every test,
# `make dist` packs the zip and the installer into build/dist/, `make fuzz` fuzzes the
# history file's parse for FUZZ_SECONDS.
# Each target installs what is missing first (scripts/setup).
BUILD ?= build
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all setup configure build dist test fuzz run stop screenshots bench clean

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

# A native build of its own under $(BUILD)/fuzz; it needs no cross build.
fuzz: setup
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz $(BUILD)

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
