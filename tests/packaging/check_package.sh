#!/usr/bin/env bash
# Builds the Debian package from the build tree into a temporary folder and checks its contents
# and lintian's verdict:  check_package.sh BUILD-DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" || { cat "$work/cpack.log"; fail cpack; }
deb=$(ls "$work"/lumivex_*.deb)
info=$(dpkg-deb -I "$deb")
grep -q "^ Depends: .*libqt6widgets6" <<< "$info" || fail "the dependencies were not computed"
dpkg-deb -c "$deb" | awk '{print $6}' > "$work/contents"
for f in ./usr/bin/lumivex ./usr/bin/lumivex-cli ./usr/bin/lumivex-view \
         ./usr/share/applications/lumivex.desktop ./usr/share/metainfo/com.corvane.lumivex.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/lumivex.svg ./usr/share/lumivex/help/index.html \
         ./usr/share/man/man1/lumivex.1.gz ./usr/share/doc/lumivex/copyright; do
  grep -qx "$f" "$work/contents" || fail "$f is not in the package"
done
grep -q '^\./usr/lib/.*lumivex/lumivex-cli-qt\.so$' "$work/contents" || fail "lumivex-cli's Qt module is not in the package"
if grep -v '/$' "$work/contents" | grep -v '^./usr/' > /dev/null; then fail "files outside /usr"; fi
if command -v lintian > /dev/null; then
  lintian --suppress-tags running-with-root-privileges "$deb" > "$work/lintian.log" 2>&1 || true
  if grep -q '^E:' "$work/lintian.log"; then cat "$work/lintian.log"; fail "lintian reports errors"; fi
  cat "$work/lintian.log"
fi
echo "package $(basename "$deb") checked"
