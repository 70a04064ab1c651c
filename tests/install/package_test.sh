#!/usr/bin/env bash
# Builds the Debian package from the built tree (cpack -G DEB, into a
# temporary folder), checks its control data and its file list, and runs the
# programs from the unpacked package.
#
# usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION PROGRAMS...
set -euo pipefail
BUILD=$1 SRC=$2 VERSION=$3
shift 3
PROGRAMS=("$@")
source "$SRC/tests/install/checks.sh"

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
(cd "$BUILD" && cpack -G DEB -B "$TMP/out" >"$TMP/cpack.log" 2>&1) || { cat "$TMP/cpack.log"; fail "cpack failed"; }
debs=("$TMP"/out/velmo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no velmo_*.deb: $(ls "$TMP/out")"
DEB=${debs[0]}
[[ $(basename "$DEB") == "velmo_${VERSION}_"*.deb ]] || fail "package file $(basename "$DEB")"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = velmo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "Version: $(field Version)"
[[ $(field Maintainer) == *@* ]] || fail "Maintainer: $(field Maintainer)"
# Dependencies come from the binaries: the libraries they link.
depends=$(field Depends)
for lib in libc6 libstdc++6 libsqlite3-0; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
if has_program Velmo; then
  [[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt: $depends"
fi
description=$(field Description)
grep -q 'bill-of-materials' <<<"$description" || fail "no English description: $description"
grep -q '構成表' <<<"$description" || fail "no Japanese description: $description"

dpkg-deb -c "$DEB" >"$TMP/contents" || fail "dpkg-deb -c failed"
expect=(./usr/bin/velmo-cli ./usr/share/man/man1/velmo-cli.1.gz ./usr/share/bash-completion/completions/velmo-cli)
for p in "${PROGRAMS[@]}"; do expect+=("./usr/bin/$p"); done
if has_program Velmo; then
  expect+=(./usr/share/applications/velmo.desktop ./usr/share/velmo/Help/index.html
           ./usr/share/icons/hicolor/scalable/apps/velmo.svg ./usr/share/icons/hicolor/48x48/apps/velmo.png)
fi
has_program Velmo1_2 && expect+=(./usr/share/applications/velmo1_2.desktop)
for f in "${expect[@]}"; do
  grep -q " $f\$" "$TMP/contents" || fail "the package lacks $f"
done
# Owned by root, as every file of a package must be.
if grep -v ' root/root ' "$TMP/contents" | grep -q .; then fail "files not owned by root: $(grep -v ' root/root ' "$TMP/contents")"; fi

dpkg-deb -x "$DEB" "$TMP/root"
check_installed_tree "$TMP/root/usr" "$VERSION" "${PROGRAMS[@]}"

echo "package test passed"
