# appstreamcli accepts the AppStream file, which launches the desktop entry
# and names the release the program reports.
set -euo pipefail
source "$(dirname "$0")/dist_lib.sh"
need_tool appstreamcli appstream

metainfo="$ORLANE_BUILD_DIR/dist/$ORLANE_APP_ID.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream file at $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejected $metainfo"
grep -qF "<launchable type=\"desktop-id\">$ORLANE_APP_ID.desktop</launchable>" "$metainfo" || fail "no launchable"
version=$("$ORLANE_BUILD_DIR/bin/orlane" --version | awk '{print $NF}')
grep -qF "<release version=\"$version\"" "$metainfo" || fail "no release $version in $metainfo"
