# Checks shared by the install and the package test: an installed tree at a
# prefix, as `cmake --install` or the Debian package lays it out.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

has_program() {
  local p
  for p in "${PROGRAMS[@]}"; do [ "$p" = "$1" ] && return 0; done
  return 1
}

# Width and height of a PNG file, from its IHDR chunk.
png_size() {
  local hex
  hex=$(od -An -tx1 -j16 -N8 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

# check_installed_tree PREFIX VERSION PROGRAMS...
check_installed_tree() {
  local prefix=$1 version=$2
  shift 2
  local p out

  for p in "$@"; do
    [ -x "$prefix/bin/$p" ] || fail "$p is not installed in $prefix/bin"
    out=$("$prefix/bin/$p" --version) || fail "$p --version failed"
    [ "$out" = "$p $version" ] || fail "$p --version printed '$out', expected '$p $version'"
  done

  # The installed velmo-cli on the sample data, with a home of its own and no
  # --settings. Its settings come from the user's configuration folder: the
  # cost table's heading is a caption kept there, and a settings file beside
  # the program (which root could write) is not read.
  local home=$TMP/home cli=$prefix/bin/velmo-cli
  mkdir -p "$home/.config/velmo"
  printf '[MASITEM]\r\nETCHI=UserCaption\r\n' >"$home/.config/velmo/Velmo.ini"
  printf '[MASITEM]\r\nETCHI=BesideProgram\r\n' >"$TMP/beside.ini"
  if [ -w "$prefix/bin" ]; then cp "$TMP/beside.ini" "$prefix/bin/Velmo.ini"; fi
  (
    cd "$TMP"
    export HOME=$home
    unset XDG_CONFIG_HOME
    rm -f sample.mdb
    "$cli" import sample.mdb --structure "$SRC/examples/structure.csv" --items "$SRC/examples/items.csv" \
      --partners "$SRC/examples/partners.csv" --header 2>import.err || fail "import failed: $(cat import.err)"
    out=$("$cli" info sample.mdb) || fail "info failed"
    [ "$out" = "$(printf 'version: 2\niStruct: 84\nMasItem: 50\nMasTori: 10\nOrderPlan: 0\nSupply: 0')" ] ||
      fail "info printed: $out"
    out=$("$cli" bom sample.mdb ED-1200-BK --all-levels) || fail "bom failed"
    grep -q $'^P-ADJ\tParts\t4\t' <<<"$out" || fail "bom lacks the adjuster line: $out"
    [[ $(tail -n 1 <<<"$out") == "# Unit: "* ]] || fail "bom lacks its summary line: $out"
    out=$("$cli" report cost sample.mdb --root ED-1200-BK --text) || fail "report cost failed"
    grep -qx '# heading: UserCaption' <<<"$out" || fail "the settings in ~/.config/velmo were not used: $out"
  ) || exit 1
  rm -f "$prefix/bin/Velmo.ini"

  if has_program Velmo; then
    [ -f "$prefix/share/velmo/Help/index.html" ] || fail "no help page in share/velmo/Help"
  fi

  # Menu entries: valid, starting an installed program, with an installed icon.
  local entries=() entry exec icon size
  has_program Velmo && entries+=(velmo)
  has_program Velmo1_2 && entries+=(velmo1_2)
  for entry in "${entries[@]}"; do
    local file=$prefix/share/applications/$entry.desktop
    [ -f "$file" ] || fail "no menu entry $file"
    out=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate $entry.desktop: $out"
    [ -z "$out" ] || fail "desktop-file-validate $entry.desktop: $out"
    exec=$(sed -n 's/^Exec=//p' "$file")
    [ -x "$prefix/bin/${exec%% *}" ] || fail "$entry.desktop starts '$exec', which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$file")
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
    for size in 16 22 24 32 48 64 128 256; do
      local png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
      [ -f "$png" ] || fail "no icon $png"
      [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
    done
    for key in 'Name' 'Name\[ja\]' 'Comment\[ja\]'; do
      grep -q "^$key=." "$file" || fail "$entry.desktop has no $key"
    done
    grep -q '^Categories=.*Office;' "$file" || fail "$entry.desktop is not in the Office category"
  done
}
