# The two commands of the README: `make run` and `make test`.
# Both install missing Debian packages, configure, build and then run.
# `make test SAN=1` builds and runs the same tests under ASan and UBSan.
# `make package` builds the Debian package in build-package/; `make package-test` installs
# it into this machine, checks it and removes it again (needs root; not part of `make test`).

JOBS  ?= 2
SAN   ?=
ifeq ($(SAN),1)
BUILD ?= build-san
CMAKE_FLAGS += -DTUMBO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD ?= build
CMAKE_FLAGS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test bench fuzz fuzz-smoke fuzz-build package package-deps package-test clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G "$(GENERATOR)" $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-app $(BUILD)

# The fuzz targets get a short run first, so that CTest's summary is the last word.
test: build fuzz-smoke
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -j$(JOBS) --output-on-failure --timeout 180

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done

# libFuzzer targets, built with clang; FUZZ_SECONDS per target (default 60).
FUZZ_SECONDS ?= 60
fuzz: fuzz-build
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	@scripts/run-fuzzers build-fuzz 5

fuzz-build: deps
	@test -f build-fuzz/CMakeCache.txt || CXX=clang++ cmake -S . -B build-fuzz -G "$(GENERATOR)" -DTUMBO_FUZZ=ON -DTUMBO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j$(JOBS) --target fuzz_targets

PACKAGE_BUILD ?= build-package
package-deps:
	@scripts/install-deps $$(grep -v '^#' scripts/packaging-tools)

package: package-deps
	@JOBS=$(JOBS) scripts/build-package $(PACKAGE_BUILD)

package-test: package
	@scripts/package-test $(PACKAGE_BUILD)/package/robot-tumbo_*.deb

clean:
	rm -rf build build-san build-fuzz $(PACKAGE_BUILD)
