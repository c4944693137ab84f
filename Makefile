# Thin wrapper around CMake; `make run` and `make test` work on a fresh Debian machine.
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local
CMAKE_FLAGS ?=
# Debian target triple for `make cross-test`; cmake/cross/ holds a toolchain file for each one it takes.
CROSS ?= aarch64-linux-gnu
# Debian release for `make debian-test`.
DEBIAN ?= trixie

.PHONY: all deps test-deps configure build run test warnings cross-test windows-package web debian-test bench check
.PHONY: soak capture
.PHONY: install uninstall package clean

all: build

deps:
	@tools/install-deps run

test-deps:
	@tools/install-deps test

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The viewer alone needs neither GoogleTest nor the X development headers of the probes.
run: deps
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=OFF -DMETABALLS_PROBES=OFF"
	@tools/run-viewer $(BUILD)/metaballs

test: test-deps
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=ON -DMETABALLS_PROBES=ON"
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Everything, the tests, probes and benchmarks included, built with Clang and every warning an error.
warnings:
	@tools/install-deps warnings
	@$(MAKE) --no-print-directory build BUILD=$(BUILD)-clang CMAKE_FLAGS="$(CMAKE_FLAGS) -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_CXX_FLAGS=-Werror -DMETABALLS_TESTS=ON -DMETABALLS_PROBES=ON -DMETABALLS_BENCH=ON"

# The libraries and unit tests cross-built for CROSS and run under qemu; no GL library or display needed.
# CROSS=x86_64-w64-mingw32: under Wine, with the Windows viewer and its end-to-end run as well.
cross-test:
	@tools/install-deps cross $(CROSS)
	@tools/cross-test $(CROSS) $(BUILD)-$(CROSS)

# The zip for Windows users, $(BUILD)-x86_64-w64-mingw32/metaballs-VERSION-windows-x86_64.zip.
windows-package:
	@tools/install-deps cross x86_64-w64-mingw32
	@tools/cross-test --package x86_64-w64-mingw32 $(BUILD)-x86_64-w64-mingw32

# The viewer for browsers: $(BUILD)-web/metaballs.html, one file that works from disk or from any web server.
web:
	@tools/install-deps web
	cmake -S . -B $(BUILD)-web -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/cross/wasm32-emscripten.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMETABALLS_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-web -j $(JOBS)

# `make test` as a newcomer runs it on a fresh Debian DEBIAN system, made with debootstrap; needs root.
debian-test:
	@tools/install-deps debian
	@tools/debian-test $(DEBIAN) $(BUILD)-debian

# Google Benchmark figures; never part of `make test`.
bench: test-deps
	@tools/run-bench $(BUILD)-bench

# Sanitizer and memcheck runs of the tests.
check:
	@tools/install-deps check
	@tools/check $(BUILD)-check

# The real viewer under a long stream of mixed input.
soak: test-deps
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=ON -DMETABALLS_PROBES=ON"
	@tools/soak $(BUILD)/metaballs

# Screenshots and an animated GIF of the viewer, made headless.
capture: test-deps
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=ON -DMETABALLS_PROBES=ON"
	@tools/capture --binary $(BUILD)/metaballs

install: deps
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=OFF -DMETABALLS_PROBES=OFF"
	@tools/install-tree install $(BUILD) $(BUILD)/installed-files.txt

# A Debian package of what `make install` puts in place, in $(BUILD)/.
package:
	@tools/install-deps package
	@$(MAKE) --no-print-directory build CMAKE_FLAGS="$(CMAKE_FLAGS) -DMETABALLS_TESTS=OFF -DMETABALLS_PROBES=OFF"
	cd $(BUILD) && cpack -G DEB

# The files that the last `make install` put in place, then the folders it made that are left empty.
uninstall:
	@tools/install-tree uninstall $(BUILD)/installed-files.txt

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-check $(BUILD)-clang $(BUILD)-*-linux-gnu $(BUILD)-*-w64-mingw32 $(BUILD)-*-emscripten \
	  $(BUILD)-web $(BUILD)-web-bench $(BUILD)-debian
