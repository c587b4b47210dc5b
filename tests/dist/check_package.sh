# The Debian package builds, holds the installed files under /usr, depends on
# the libraries dpkg-shlibdeps finds and on the plugins (sound, X11 and Wayland
# windows) and fonts the program loads at run time, and lintian finds no error
# in it.
set -euo pipefail
source "$(dirname "$0")/dist_lib.sh"
need_tool dpkg-shlibdeps dpkg-dev
need_tool lintian lintian

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$ORLANE_BUILD_DIR/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || fail "cpack: $(cat "$out/cpack.log")"
deb=$(ls "$out"/orlane_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = orlane ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6multimedia6 libasound2 gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-wine qt6-qpa-plugins \
           qt6-wayland; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in ./usr/bin/orlane ./usr/bin/orlanectl "./usr/$ORLANE_LIBDIR/orlane/orlane_media.so" "./usr/share/applications/$ORLANE_APP_ID.desktop" \
            ./usr/share/orlane/help/index.htm ./usr/share/man/man1/orlanectl.1.gz; do
  grep -qxF "$file" <<<"$contents" || fail "$deb lacks $file"
done
lintian --fail-on error "$deb" || fail "lintian reports errors in $deb"
echo "package $(basename "$deb"): Depends: $depends"
