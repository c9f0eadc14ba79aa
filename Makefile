# The two commands: `make demo` and `make test`. Both install what is missing first.
.PHONY: all deps build build-asan fuzz test demo package clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j2

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j2

# The fuzz targets (clang, libFuzzer); scripts/fuzz runs them.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j2

test: build build-asan
	cd build/default && ctest --output-on-failure -j2
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2
	$(MAKE) fuzz
	cd build/fuzz && ctest -L fuzz --output-on-failure -j2
	bash scripts/fuzz 10

demo: build
	bash scripts/demo build/default

# The Debian package build/default/pelaro_VERSION_ARCH.deb (build first: the
# package target takes what is built).
package: build
	cmake --build --preset default --target package

clean:
	rm -rf build
