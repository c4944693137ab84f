# Thin wrapper around CMake; `make run` and `make test` work on a fresh Debian machine.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps test-deps configure build run test bench clean

all: build

deps:
	@tools/install-deps run

test-deps:
	@tools/install-deps test

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	@tools/run-viewer $(BUILD)/metaballs

test: test-deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
