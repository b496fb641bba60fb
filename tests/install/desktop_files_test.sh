#!/usr/bin/env bash
# The desktop entry and the AppStream description pass the validators of the
# desktop, and the entry opens a text with the program.
# Usage: desktop_files_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
id=org.zorvel.Zorvel

desktop-file-validate "$source_dir/data/$id.desktop"
appstreamcli validate --no-net "$build_dir/data/$id.metainfo.xml"

entry() { sed -n "s/^$1=//p" "$source_dir/data/$id.desktop"; }
fail() { echo "$*" >&2; exit 1; }
[ "$(entry Exec)" = "zorvel %f" ] || fail "Exec is '$(entry Exec)'"
[ "$(entry MimeType)" = "text/plain;" ] || fail "MimeType is '$(entry MimeType)'"
[ "$(entry Categories)" = "Office;TextTools;" ] || fail "Categories is '$(entry Categories)'"
[ -n "$(entry 'Name\[zh_TW\]')" ] || fail "no Traditional Chinese name"
[ -f "$source_dir/data/$(entry Icon).svg" ] || fail "no icon $(entry Icon).svg"
grep -q "<release version=\"$(sed -n 's/^project(Zorvel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")\"" \
  "$build_dir/data/$id.metainfo.xml" || fail "the AppStream release is not the project's version"
echo "desktop files valid"
