#!/usr/bin/env bash
# check_install.sh BUILD_DIR WORK_DIR SOURCE_DIR: installs the build into
# WORK_DIR/root (DESTDIR, prefix /usr) and checks that what is installed runs
# from there: both programs, the default station folder, and a C program
# built against the installed kit through pkg-config and through the CMake
# packages.
set -euo pipefail
build="$1"
work="$2"
source="$3"
rm -rf "$work"
mkdir -p "$work"
root="$work/root"
prefix="$root/usr"
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr > "$work/install.log"

libdir="$(dirname "$(find "$prefix" -name libgenlink.so.1 | head -n 1)")"
[ -d "$libdir" ] || fail "libgenlink.so.1 not installed"
for f in bin/pelaro bin/pelaro-cli bin/pelaro-demo bin/pelaro-monitor-sim bin/pelaro-patgen-sim bin/pelaro-qdgen-sim \
         include/genlink.h include/limtab.h include/setstore.h \
         share/applications/pelaro.desktop share/icons/hicolor/scalable/apps/pelaro.svg \
         share/man/man1/pelaro.1.gz share/man/man1/pelaro-cli.1.gz share/man/man1/pelaro-demo.1.gz \
         share/man/man1/pelaro-monitor-sim.1.gz share/man/man1/pelaro-patgen-sim.1.gz share/man/man1/pelaro-qdgen-sim.1.gz \
         share/pelaro/README share/doc/pelaro/copyright share/doc/pelaro/changelog.gz \
         share/doc/pelaro/examples/demo/mdlsel.sel libexec/pelaro/demo; do
  [ -e "$prefix/$f" ] || fail "$f not installed"
done
for lib in libgenlink.so.1 libsetstore.so.1 liblimtab.so.1 libgenlink.so libsetstore.so liblimtab.so \
           libusblink.so libqdmgen32.so libvtg32.so \
           pkgconfig/genlink.pc pkgconfig/setstore.pc pkgconfig/limtab.pc \
           cmake/genlink/genlinkConfig.cmake cmake/setstore/setstoreConfig.cmake cmake/limtab/limtabConfig.cmake; do
  [ -e "$libdir/$lib" ] || fail "$lib not installed in $libdir"
done
# Tests, benchmarks and build tools stay in the build tree.
if find "$root" -name '*_test*' -o -name '*_bench' -o -name 'pelaro-demo-station' | grep -q .; then
  fail "build-only files installed: $(find "$root" -name '*_test*' -o -name '*_bench' -o -name 'pelaro-demo-station')"
fi

# Run paths point into the installation, never into the build tree, and
# every library of ours resolves there.
for elf in "$prefix"/bin/pelaro* "$libdir"/lib*.so*; do
  file -L "$elf" | grep -q ELF || continue
  if readelf -d "$elf" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "$elf has a run path into the build tree: $(readelf -d "$elf" | grep -E 'R(UN)?PATH')"
  fi
done
for program in pelaro pelaro-cli; do
  ldd "$prefix/bin/$program" > "$work/ldd-$program.txt"
  grep -q 'not found' "$work/ldd-$program.txt" && fail "$program: $(grep 'not found' "$work/ldd-$program.txt")"
  ours="$(readelf -d "$prefix/bin/$program" | sed -n 's/.*NEEDED.*\[\(lib\(genlink\|setstore\|limtab\|qdmgen32\|vtg32\)[.].*\)\]/\1/p')"
  grep -q '^libgenlink[.]' <<< "$ours" || fail "$program does not use libgenlink"
  for lib in $ours; do
    path="$(awk -v lib="$lib" '$1 == lib { print $3 }' "$work/ldd-$program.txt")"
    [ -n "$path" ] && [ "$(dirname "$(readlink -f "$path")")" = "$(readlink -f "$libdir")" ] \
      || fail "$program loads $lib from '${path}', not from $libdir"
  done
done

# Both programs run from the installation; no station is needed for --version.
export XDG_CONFIG_HOME="$work/config"
unset PELARO_HOME COMPORTS || true
version="$("$prefix/bin/pelaro-cli" --version)"
echo "pelaro-cli --version: $version"
[[ "$version" == *[0-9].[0-9]* ]] || fail "pelaro-cli --version printed '$version'"
version="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/pelaro" --version)"
echo "pelaro --version: $version"
[[ "$version" == "pelaro "[0-9]* ]] || fail "pelaro --version printed '$version'"

# The default home is the installed station folder: empty at first, then
# holding the demo station.
set +e
"$prefix/bin/pelaro-cli" models > "$work/models-empty.out" 2> "$work/models-empty.err"
rc=$?
set -e
[ "$rc" -eq 4 ] || fail "pelaro-cli models without a station exited $rc"
grep -qF "no station in $prefix/share/pelaro" "$work/models-empty.err" \
  || fail "no station named: $(cat "$work/models-empty.err")"
cp -R "$prefix/share/doc/pelaro/examples/demo/." "$prefix/share/pelaro/"
"$prefix/bin/pelaro-cli" models > "$work/models.out" 2> "$work/models.err" \
  || fail "pelaro-cli models on the installed station: $(cat "$work/models.err")"
grep -q 'VX-1700' "$work/models.out" || fail "the installed station's models are not listed: $(cat "$work/models.out")"
echo "pelaro-cli models: the demo station found in $prefix/share/pelaro"

# A C program against the installed kit: through pkg-config ...
export PKG_CONFIG_PATH="$libdir/pkgconfig"
export SETSTORE_INSTANCE="installed.$$" GENLINK_INSTANCE="installed.$$"
[ "$(pkg-config --variable=libdir genlink)" -ef "$libdir" ] || fail "genlink.pc names $(pkg-config --variable=libdir genlink)"
# shellcheck disable=SC2046
cc -std=c11 -Wall -Werror -o "$work/kit_consumer" "$source/packaging/tests/kit_consumer.c" \
  $(pkg-config --cflags --libs genlink limtab setstore) -Wl,-rpath,"$(pkg-config --variable=libdir genlink)"
"$work/kit_consumer"
# ... and through the CMake packages.
cmake -S "$source/packaging/tests/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$prefix" > "$work/consumer.log" \
  || fail "the consumer project does not configure: $(cat "$work/consumer.log")"
cmake --build "$work/consumer" >> "$work/consumer.log" || fail "the consumer project does not build: $(cat "$work/consumer.log")"
"$work/consumer/kit_consumer"
echo "install: ok"
