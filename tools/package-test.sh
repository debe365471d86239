#!/usr/bin/env bash
# Runs one package course in a Wine prefix of its own, copied from one prepared prefix, so a
# course may install, upgrade and remove freely and costs no new prefix.
#   package-test.sh BUILD_DIR --prepare    make the prepared prefix (once per test run)
#   package-test.sh BUILD_DIR COURSE       run package_tests.exe --gtest_filter=COURSE in a copy
set -u
build=$(cd "$1" && pwd)
course=$2
here=$(cd "$(dirname "$0")" && pwd)
prepared="$build/package-prefix"
if [ "$course" = --prepare ]; then
  "$here/wine-run.sh" --prefix "$prepared" --up || exit 1
  exec "$here/wine-run.sh" --prefix "$prepared" --down
fi
prefix="$build/package-prefixes/${course//[^A-Za-z0-9_]/_}"
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
# Hard links for the files Wine only reads; the registry files, which it rewrites, are copied.
cp -al "$prepared" "$prefix" || exit 1
for reg in "$prefix"/*.reg; do cp --remove-destination "$prepared/$(basename "$reg")" "$reg"; done
"$here/wine-run.sh" --prefix "$prefix" --up
"$here/wine-run.sh" --prefix "$prefix" "$build/bin/package_tests.exe" --gtest_filter="$course"
rc=$?
"$here/wine-run.sh" --prefix "$prefix" --down
[ $rc -eq 0 ] && rm -rf "$prefix"  # a failed course leaves its prefix to look at
exit $rc
