#!/usr/bin/env bash
# check_package.sh BUILD_DIR WORK_DIR: builds the Debian package from the
# build with CPack into WORK_DIR, checks its control fields and file list,
# runs its programs from the unpacked files, and runs lintian on it, which
# must find no errors.
set -euo pipefail
build="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1 \
  || fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/pelaro_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single pelaro_*.deb in $work: $(ls "$work")"
deb="${debs[0]}"
echo "package: $(basename "$deb")"

# Control fields: the dependencies come from the Debian packages of the
# libraries the programs use.
dpkg-deb -f "$deb" Package Version Architecture Depends | tee "$work/control.txt"
[ "$(dpkg-deb -f "$deb" Package)" = pelaro ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends="$(dpkg-deb -f "$deb" Depends)"
names="$(tr ',|' '\n\n' <<< "$depends" | sed 's/^ *//; s/[ (].*//')"
for dep in libc6 libstdc++6 libqt6core6 libqt6widgets6 libinih1; do
  grep -Eqx "${dep//+/\\+}(t64)?" <<< "$names" || fail "Depends lacks $dep: $depends"
done

# File list: programs, kit, stand-ins, desktop files, manual pages, the
# example station; everything below /usr, owned by root, nothing of the build.
dpkg-deb -c "$deb" > "$work/contents.txt"
awk '{ print $6 }' "$work/contents.txt" | sed 's|^\./|/|' > "$work/files.txt"
for f in /usr/bin/pelaro /usr/bin/pelaro-cli /usr/bin/pelaro-demo \
         /usr/bin/pelaro-monitor-sim /usr/bin/pelaro-patgen-sim /usr/bin/pelaro-qdgen-sim \
         /usr/include/genlink.h /usr/include/limtab.h /usr/include/setstore.h \
         /usr/share/applications/pelaro.desktop /usr/share/icons/hicolor/scalable/apps/pelaro.svg \
         /usr/share/man/man1/pelaro.1.gz /usr/share/man/man1/pelaro-cli.1.gz \
         /usr/share/doc/pelaro/copyright /usr/share/doc/pelaro/changelog.gz \
         /usr/share/doc/pelaro/examples/demo/mdlsel.sel /usr/share/doc/pelaro/examples/demo/PELARO/MSG/ \
         /usr/share/pelaro/README /usr/libexec/pelaro/demo; do
  grep -qxF "$f" "$work/files.txt" || fail "$f is not in the package"
done
for pattern in '/usr/lib/.*libgenlink\.so\.1$' '/usr/lib/.*libsetstore\.so\.1$' '/usr/lib/.*liblimtab\.so\.1$' \
               '/usr/lib/.*libusblink\.so$' '/usr/lib/.*libqdmgen32\.so$' '/usr/lib/.*libvtg32\.so$' \
               '/usr/lib/.*pkgconfig/genlink\.pc$' '/usr/lib/.*cmake/genlink/genlinkConfig\.cmake$'; do
  grep -Eq "$pattern" "$work/files.txt" || fail "no file matches $pattern"
done
grep -v '^/usr/' "$work/files.txt" | grep -vx '/' && fail "files outside /usr"
grep -Ei '_test|_bench|demo-station|CMakeFiles|/build/' "$work/files.txt" && fail "build-only files in the package"
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents.txt" || fail "files not owned by root"

# The unpacked programs run from wherever the package's tree lies.
dpkg-deb -x "$deb" "$work/unpacked"
"$work/unpacked/usr/bin/pelaro-cli" --version
QT_QPA_PLATFORM=offscreen "$work/unpacked/usr/bin/pelaro" --version

# lintian: errors fail the test; warnings are shown.
lintian --no-tag-display-limit --fail-on error "$deb" | tee "$work/lintian.txt"
echo "package: ok"
