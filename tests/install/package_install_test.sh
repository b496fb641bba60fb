#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch
# root and runs the programs from there as a proofreader would: the version,
# a sample workspace, its marks and pages. Also checks what the package holds
# and needs.
# Usage: package_install_test.sh BUILD_DIR VERSION
set -euo pipefail
build_dir=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*" >&2; exit 1; }

if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack failed"
fi
deb=$scratch/out/zorvel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch/out")"

# What it needs: the libraries it links, found by dpkg-shlibdeps, and the Ming face.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-arphic-uming libc6 libqt6widgets6 libicu libtiff; do
  case "$depends" in *"$needed"*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"

# What it holds: the four programs and nothing of the tests or benchmarks.
programs=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed -n 's|^\./usr/bin/||p' | grep -v '^$' | sort | tr '\n' ' ')
[ "$programs" = "zorvel zorvel-g4 zorvel-make-sample zorvel-marks " ] || fail "programs: $programs"

root=$scratch/root
dpkg -x "$deb" "$root"
bin=$root/usr/bin
for program in zorvel zorvel-g4 zorvel-marks zorvel-make-sample; do
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --version)" = "$program $version" ] ||
    fail "$program --version"
  [ -s "$root/usr/share/man/man1/$program.1.gz" ] || fail "no man page for $program"
  zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH \"$program\" \"1\"" || fail "$program.1 is no man page"
done

# The desktop entry starts an installed program and shows an installed icon.
desktop=$root/usr/share/applications/org.zorvel.Zorvel.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.zorvel.Zorvel.metainfo.xml"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$bin/$exec_program" ] || fail "the desktop entry starts '$exec_program', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon $icon"

# A sample workspace made and checked with the installed programs.
workspace=$scratch/workspace
"$bin/zorvel-make-sample" "$workspace" >/dev/null
cd "$workspace"
"$bin/zorvel-marks" --header T01n0001.txt >"$scratch/marks.txt"
head -n 1 "$scratch/marks.txt" | grep -q "^offset	line	" || fail "no header"
summary=$(tail -n 1 "$scratch/marks.txt")
case "$summary" in
  marks=[1-9]*" unparsed=0 missing_pages=0 "*) ;;
  *) fail "zorvel-marks on the sample: $summary" ;;
esac
status=0
"$bin/zorvel-g4" --jobs 2 T01/001-100 >"$scratch/pages.txt" 2>"$scratch/pages.err" || status=$?
[ "$status" = 1 ] || fail "zorvel-g4 over the sample pages: exit $status, the broken page is not told"
[ "$(grep -c ' result=1 ' "$scratch/pages.txt")" = 4 ] || fail "$(cat "$scratch/pages.txt")"
echo "package $(basename "$deb") installs and runs"
