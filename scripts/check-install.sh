#!/usr/bin/env bash
# Installs a build into a staging folder and checks the installed tree the way
# a desktop, a software centre and a user meet it:
#   scripts/check-install.sh BUILD_DIR
# The program runs with no display and no QT_QPA_PLATFORM, as on a server.
set -euo pipefail
build=${1:?usage: scripts/check-install.sh BUILD_DIR}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failed=0
fail() { echo "check-install: $*" >&2; failed=1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
app_id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$root"/share/metainfo/*.metainfo.xml)
[[ -n "$app_id" ]] || fail "no AppStream metadata in share/metainfo"

for f in bin/rastrel share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/man/man1/rastrel.1.gz share/icons/hicolor/scalable/apps/$app_id.svg \
    share/rastrel/help/index.html share/rastrel/tools.ico; do
    [[ -e "$root/$f" ]] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [[ "$(file -b "$png" 2>/dev/null)" == "PNG image data, $size x $size,"* ]] ||
        fail "no $size x $size PNG icon"
done
[[ -z "$(find "$root/bin" -type f ! -name rastrel)" ]] || fail "data files in bin/"

desktop-file-validate "$root/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    { appstreamcli validate --no-net --pedantic "$root/share/metainfo/$app_id.metainfo.xml" >&2
      fail "AppStream metadata"; }
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/share/man/man1/rastrel.1.gz" 2>&1 >/dev/null) ||
    fail "man cannot render the manual page"
[[ -z "$warnings" ]] || fail "the manual page has mistakes: $warnings"

# The installed program, as a user without a display runs it. The sanitizers
# of a test build stay on, but leaks at exit are the test suite's business.
home=$stage/home
mkdir -p -m 700 "$home"
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_RUNTIME_DIR="$home" \
        XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_DATA_DIRS=/nonexistent ASAN_OPTIONS=detect_leaks=0 "$root/bin/rastrel" "$@"
}
version=$(run --version) || fail "--version failed"
expected=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$root/share/metainfo/$app_id.metainfo.xml")
[[ "$version" == "Rastrel $expected" ]] || fail "--version said \"$version\", not \"Rastrel $expected\""
paths=$(run --paths) || fail "--paths failed"
grep -qx "Help book: $root/share/rastrel/help" <<<"$paths" ||
    fail "the installed program does not find its help book: $paths"
# The exports never create a database, so they get a copy of a real one: the
# fixture of the first file layout, which the installed program also migrates.
cp "$(dirname "$0")/../tests/data/fixtures/rsl-v1.sqlite" "$home/rsl.sqlite"
run --report "Project Report" --project "1986 FORD MUSTANG" --database "$home/rsl.sqlite" \
    --pdf "$home/report.pdf" && [[ "$(head -c 5 "$home/report.pdf")" == "%PDF-" ]] ||
    fail "the report export did not run without a display"

if [[ $failed -ne 0 ]]; then
    echo "check-install: the installed tree has faults (see above)" >&2
    exit 1
fi
echo "check-install: the installed tree is sound"
