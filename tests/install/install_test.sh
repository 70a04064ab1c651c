#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and uses it as a user
# would: the programs answer --version, the installed velmo-cli works on the
# sample data and keeps its settings in the user's configuration folder, the
# menu entries validate, the manual page renders without warnings, the icons
# have their sizes and the completion loads.
#
# usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION PROGRAMS...
#   PROGRAMS: the programs built in BUILD_DIR (velmo-cli, Velmo, Velmo1_2)
set -euo pipefail
BUILD=$1 SRC=$2 VERSION=$3
shift 3
PROGRAMS=("$@")
source "$SRC/tests/install/checks.sh"

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
PREFIX=$TMP/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$TMP/install.log" || { cat "$TMP/install.log"; fail "cmake --install failed"; }

check_installed_tree "$PREFIX" "$VERSION" "${PROGRAMS[@]}"

# Manual page: renders without a warning, in a UTF-8 and in the C locale.
MAN=$PREFIX/share/man/man1/velmo-cli.1.gz
[ -f "$MAN" ] || fail "no manual page $MAN"
for locale in C.UTF-8 C; do
  LANG=$locale LC_ALL=$locale MANWIDTH=80 MAN_DISABLE_SECCOMP=1 man --warnings -l "$MAN" >"$TMP/man.txt" 2>"$TMP/man.err" ||
    fail "man -l failed in $locale: $(cat "$TMP/man.err")"
  [ ! -s "$TMP/man.err" ] || fail "man -l warns in $locale: $(cat "$TMP/man.err")"
  grep -q '^EXIT STATUS' "$TMP/man.txt" || fail "the rendered manual page has no EXIT STATUS"
done

# Completion: loads in a plain bash and offers the commands.
offered=$(bash -c 'source "$1"; COMP_WORDS=(velmo-cli i); COMP_CWORD=1; _velmo_cli; echo "${COMPREPLY[*]}"' _ \
  "$PREFIX/share/bash-completion/completions/velmo-cli")
[ "$offered" = "info import" ] || fail "completion of 'velmo-cli i' offers '$offered'"

echo "install test passed"
