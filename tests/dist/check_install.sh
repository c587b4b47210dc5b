# An install into a temporary DESTDIR holds every file and nothing else, and
# the installed orlane, started from there with an empty user folder, finds
# its skins, help pages and beep in the installed data folder and its media
# module in the installed library folder, and starts up;
# uninstalling removes it again.
set -euo pipefail
source "$(dirname "$0")/dist_lib.sh"

stage=$(mktemp -d)
program=""
cleanup() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; fi
  rm -rf "$stage"
}
trap cleanup EXIT
prefix=/usr/local
root="$stage/root"
DESTDIR="$root" cmake --install "$ORLANE_BUILD_DIR" --prefix "$prefix" >"$stage/install.log" 2>&1 ||
  fail "cmake --install: $(cat "$stage/install.log")"

expected="$stage/expected"
{
  echo bin/orlane
  echo bin/orlanectl
  echo "$ORLANE_LIBDIR/orlane/orlane_media.so"
  echo "share/applications/$ORLANE_APP_ID.desktop"
  echo "share/metainfo/$ORLANE_APP_ID.metainfo.xml"
  echo share/icons/hicolor/scalable/apps/orlane.svg
  for size in 16 22 24 32 48 64 128 256; do echo "share/icons/hicolor/${size}x${size}/apps/orlane.png"; done
  echo share/man/man1/orlane.1.gz
  echo share/man/man1/orlanectl.1.gz
  for page in "$ORLANE_SOURCE_DIR"/res/help/*; do echo "share/orlane/help/$(basename "$page")"; done
  for theme in 0 1 2 3 4 5 6 7 8 9; do echo "share/orlane/skin/$theme.bmp"; done
  echo share/orlane/sounds/beep.wav
  for holidays in "$ORLANE_SOURCE_DIR"/res/holidays/Holidays_*.bin; do
    [ -e "$holidays" ] && echo "share/orlane/$(basename "$holidays")"
  done
  echo share/doc/orlane/copyright
  echo share/doc/orlane/changelog.Debian.gz
} | sort >"$expected"
(cd "$root$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$stage/installed"
diff -u "$expected" "$stage/installed" || fail "the installed files differ from the expected ones (- expected, + installed)"

for path in bin/orlane bin/orlanectl; do
  [ -x "$root$prefix/$path" ] || fail "$path is not executable"
done
mode=$(stat -c %a "$root$prefix/share/orlane/help")
[ "$mode" = 755 ] || fail "share/orlane/help has mode $mode"

# The installed program, with nothing of the build tree or the system in reach.
data="$root$prefix/share/orlane/"
run_env=(env -i HOME="$stage/home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 TZ=Europe/Berlin
         XDG_DATA_DIRS="$stage/no-system-data" XDG_RUNTIME_DIR="$stage/run"
         ORLANE_USER_DIR="$stage/user" ORLANE_VENDOR_URL=http://127.0.0.1:9 QT_QPA_PLATFORM=offscreen ORLANE_MODAL_ANSWER=1)
mkdir -p -m 0700 "$stage/home" "$stage/run"
paths=$("${run_env[@]}" "$root$prefix/bin/orlane" --paths) || fail "orlane --paths reports something missing:
$paths"
echo "$paths"
grep -qxF "data folder: $data" <<<"$paths" || fail "the installed data folder $data is not searched"
for theme in 0 1 2 3 4 5 6 7 8 9; do
  grep -qxF "skin $theme: ${data}skin/$theme.bmp" <<<"$paths" || fail "skin $theme not found in $data"
done
for page in index alarm rich rec login changepass Config; do
  grep -qxF "help $page.htm: ${data}help/$page.htm" <<<"$paths" || fail "help page $page.htm not found in $data"
done
grep -qxF "media module: $root$prefix/$ORLANE_LIBDIR/orlane/orlane_media.so" <<<"$paths" ||
  fail "the installed media module is not found"
grep -q '^beep: built in, [1-9][0-9]* bytes$' <<<"$paths" || fail "no beep"
grep -qxF "user folder: $stage/user/" <<<"$paths" || fail "the user folder is not ORLANE_USER_DIR"

# A first start: the login, answered for the test, creates the user file, then the main
# window runs until it is ended here.
"${run_env[@]}" "$root$prefix/bin/orlane" >"$stage/out.log" 2>"$stage/err.log" &
program=$!
for _ in $(seq 1 300); do
  [ -f "$stage/user/user.sav" ] && break
  kill -0 "$program" 2>/dev/null || fail "orlane ended at its first start: $(cat "$stage/err.log")"
  sleep 0.1
done
[ -f "$stage/user/user.sav" ] || fail "orlane did not get past its first login: $(cat "$stage/err.log")"
sleep 2
kill -0 "$program" 2>/dev/null || fail "orlane ended after its first login: $(cat "$stage/err.log")"
! grep -q "is not installed" "$stage/err.log" || fail "$(cat "$stage/err.log")"
echo "installed orlane started from $root$prefix/bin"

# Uninstalling removes every installed file and the program's own folders.
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=""
sed "s|^|$root|" "$ORLANE_BUILD_DIR/install_manifest.txt" >"$stage/manifest"
cmake -DMANIFEST="$stage/manifest" -P "$ORLANE_SOURCE_DIR/dist/uninstall.cmake" >/dev/null || fail "uninstall failed"
left=$(cd "$root$prefix" && find . -type f -o -type l)
[ -z "$left" ] || fail "left after uninstall: $left"
for folder in share/orlane share/doc/orlane "$ORLANE_LIBDIR/orlane"; do
  [ ! -e "$root$prefix/$folder" ] || fail "$folder left after uninstall"
done
echo "uninstall removed every file"
