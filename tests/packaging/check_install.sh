#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs from there:
#   check_install.sh BUILD-DIR PICTURE
set -euo pipefail
build=$1
picture=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
for f in bin/lumivex bin/lumivex-cli bin/lumivex-view share/lumivex/help/index.html share/lumivex/backgrounds/Paper.png \
         share/applications/lumivex.desktop share/metainfo/com.corvane.lumivex.metainfo.xml \
         share/icons/hicolor/scalable/apps/lumivex.svg share/icons/hicolor/48x48/apps/lumivex.png \
         share/man/man1/lumivex.1.gz share/man/man1/lumivex-cli.1.gz share/doc/lumivex/copyright; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

# The command line from the prefix, on a picture.
grep -qx "lumivex-cli [0-9.]*" <<< "$("$prefix/bin/lumivex-cli" --version)" || fail "lumivex-cli --version"
grep -q "^Width: " <<< "$("$prefix/bin/lumivex-cli" info "$picture")" || fail "lumivex-cli info"
"$prefix/bin/lumivex-cli" convert "$picture" "$work/out.bmp" || fail "lumivex-cli convert"
[ "$(head -c 2 "$work/out.bmp")" = "BM" ] || fail "the converted file is no BMP"
# Metafiles are drawn by lumivex-cli's Qt module, found in the installed library folder.
[ -n "$(find "$prefix" -path '*/lib*/lumivex/lumivex-cli-qt.so')" ] || fail "the Qt module of lumivex-cli was not installed"
printf '\xd7\xcd\xc6\x9a\x00\x00\x00\x00\x00\x00\x64\x00\x32\x00\x60\x00\x00\x00\x00\x00\x27\x57\x01\x00\x09\x00\x00\x03\x1e\x00\x00\x00\x08\x00\x10\x00\x00\x00\x00\x00\x07\x00\x00\x00\xfc\x02\x00\x00\xff\x00\x00\x00\x00\x00\x04\x00\x00\x00\x2d\x01\x00\x00\x07\x00\x00\x00\x1b\x04\x32\x00\x64\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00' > "$work/red.wmf"
"$prefix/bin/lumivex-cli" convert "$work/red.wmf" "$work/red.bmp" || fail "lumivex-cli does not draw a metafile"
grep -q '^\.SS convert' <<< "$(zcat "$prefix/share/man/man1/lumivex-cli.1.gz")" || fail "man page of lumivex-cli"

# The browser from the prefix: it names the installed guide, and starts on a picture.
grep -qx "lumivex [0-9.]*" <<< "$("$prefix/bin/lumivex" --version)" || fail "lumivex --version"
grep -qF "The user guide: $prefix/share/lumivex/help/index.html" <<< "$("$prefix/bin/lumivex" --help)" ||
  fail "the installed lumivex does not find its guide"
mkdir -p -m 700 "$work/run" "$work/home"
set +e
HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config \
  XDG_DATA_HOME=$work/home/.local/share QT_QPA_PLATFORM=offscreen \
  timeout 3 "$prefix/bin/lumivex" "$picture" > "$work/run.log" 2>&1
status=$?
set -e
[ $status -eq 124 ] || { cat "$work/run.log"; fail "lumivex ended with status $status instead of running"; }

# The desktop's own checkers, where they are installed.
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/lumivex.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/com.corvane.lumivex.metainfo.xml" > "$work/as.log" ||
    { cat "$work/as.log"; fail "appstreamcli validate"; }
fi
echo "installed and ran from $prefix"
