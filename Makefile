# `make run` and `make test` set everything up from a fresh checkout: packages, configure, build.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ombrix

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The fuzz targets alone (a clang build in build-fuzz/); the test suite runs them too, as the test "fuzz".
fuzz: deps
	@scripts/fuzz

clean:
	rm -rf $(BUILD) build-fuzz
