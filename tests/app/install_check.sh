#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR, checks every file lands where the desktop and the
# program look for it, and validates the desktop entry and the AppStream metadata.
#
#     install_check.sh BUILD_DIR
#
# Exit code 77 (skipped) when desktop-file-validate or appstreamcli is not installed.
set -uo pipefail

build="${1:?usage: install_check.sh BUILD_DIR}"
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/packages.txt lists it)"
        exit 77
    fi
done

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

DESTDIR="$stage" cmake --install "$build" >"$stage.log" 2>&1 || fail "install: $(cat "$stage.log")"
rm -f "$stage.log"
prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
root="$stage$prefix"

for file in bin/leafstack share/leafstack/leaf95.html share/leafstack/readme.txt \
    share/applications/leafstack.desktop share/icons/hicolor/scalable/apps/leafstack.svg \
    share/metainfo/com.orvanel.Leafstack.metainfo.xml; do
    [[ -f "$root/$file" ]] || fail "$file was not installed"
done
[[ -x "$root/bin/leafstack" ]] || fail "the program is not executable"

entry="$root/share/applications/leafstack.desktop"
grep -qx "Exec=$prefix/bin/leafstack %f" "$entry" || fail "the entry does not start the installed program: $(grep ^Exec= "$entry")"
grep -q '^MimeType=.*text/plain;' "$entry" || fail "the entry does not offer to open plain text"

desktop-file-validate "$entry" || fail "desktop-file-validate found problems"
appstreamcli validate --no-net --explain \
    "$root/share/metainfo/com.orvanel.Leafstack.metainfo.xml" || fail "appstreamcli found problems"
echo "installed and valid: $prefix"
