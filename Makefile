# The two commands: `make demo` and `make test`. Both install what is missing first.
.PHONY: all deps build build-asan test demo package clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j2

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j2

test: build build-asan
	cd build/default && ctest --output-on-failure -j2
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2

demo: build
	bash scripts/demo build/default

# The Debian package build/default/pelaro_VERSION_ARCH.deb (build first: the
# package target takes what is built).
package: build
	cmake --build --preset default --target package

clean:
	rm -rf build
