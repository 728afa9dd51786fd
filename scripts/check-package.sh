#!/bin/bash
# Builds the Debian package from a build tree (cpack -G DEB) and checks it: its dependencies and
# files, no lintian errors, and from a scratch root (dpkg -x) both programs' --version, both manual
# pages rendered without warnings, the AppStream metadata and the desktop entries validated.
#
#   scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$ROOT/build}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

version=$(sed -n 's/^#define LUMARO_VERSION "\(.*\)"/\1/p' "$BUILD_DIR/generated/base/version.h")
deb="$BUILD_DIR/lumaro_${version}_amd64.deb"
rm -f "$deb"
(cd "$BUILD_DIR" && cpack -G DEB > "$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; exit 1; }
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)  # from the binaries
for lib in libc6 libgtk2.0-0 libgs10; do [[ $depends == *"$lib "* ]] || { echo "Depends lacks $lib: $depends" >&2; exit 1; }; done

# lintian: errors fail (warnings and notes are shown).
lintian --fail-on error "$deb" > "$WORK/lintian.log" 2>&1 && lintian_ok=1 || lintian_ok=0
grep -v '^running with root privileges' "$WORK/lintian.log" || true
[ "$lintian_ok" = 1 ] || { echo "lintian reports errors" >&2; exit 1; }

R="$WORK/root"
dpkg -x "$deb" "$R"
for f in usr/bin/lumaro usr/bin/lumaro-cli usr/share/man/man1/lumaro.1.gz usr/share/man/man1/lumaro-cli.1.gz \
         usr/share/bash-completion/completions/lumaro-cli usr/share/applications/lumaro.desktop \
         usr/share/icons/hicolor/scalable/apps/lumaro.svg usr/share/metainfo/org.example.lumaro.metainfo.xml \
         usr/share/lumaro/cities usr/share/lumaro/translations/yiddish.gui usr/share/doc/lumaro/copyright \
         usr/share/doc/lumaro/changelog.gz etc/xdg/autostart/lumaro-reminder.desktop; do
  [ -e "$R/$f" ] || { echo "the package has no $f" >&2; exit 1; }
done
grep -q "GeoNames" "$R/usr/share/doc/lumaro/copyright" || { echo "copyright names no data source" >&2; exit 1; }

expect() { [ "$2" = "$3" ] || { echo "$1: expected '$2', got '$3'" >&2; exit 1; }; }
expect "lumaro --version" "lumaro $version" "$(env -u DISPLAY "$R/usr/bin/lumaro" --version)"
expect "lumaro-cli --version" "lumaro-cli $version" "$("$R/usr/bin/lumaro-cli" --version)"
# The installed lumaro-cli finds its data beside itself (../share/lumaro).
mkdir -p "$WORK/home"
out=$(HOME="$WORK/home" env -u LUMARO_DATADIR "$R/usr/bin/lumaro-cli" --city Jerusalem today --date 2026-04-02)
[[ $out == *"Hebrew date: 15 Nisan 5786"* ]] || { echo "the installed lumaro-cli: $out" >&2; exit 1; }

for page in lumaro lumaro-cli; do
  warnings=$(MANWIDTH=80 man --warnings -l "$R/usr/share/man/man1/$page.1.gz" 2>&1 > "$WORK/$page.txt")
  [ -z "$warnings" ] || { echo "man $page: $warnings" >&2; exit 1; }
  grep -q "EXIT STATUS" "$WORK/$page.txt" || { echo "man $page has no EXIT STATUS" >&2; exit 1; }
done
appstreamcli validate --no-net "$R/usr/share/metainfo/org.example.lumaro.metainfo.xml"
desktop-file-validate "$R/usr/share/applications/lumaro.desktop" "$R/etc/xdg/autostart/lumaro-reminder.desktop"
echo "package checks passed"
