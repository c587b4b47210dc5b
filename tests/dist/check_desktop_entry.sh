# desktop-file-validate accepts the desktop entry without a remark, and the
# entry starts the installed command under the window class the program sets.
set -euo pipefail
source "$(dirname "$0")/dist_lib.sh"
need_tool desktop-file-validate desktop-file-utils

entry="$ORLANE_BUILD_DIR/dist/$ORLANE_APP_ID.desktop"
[ -f "$entry" ] || fail "no desktop entry at $entry"
remarks=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $remarks"
[ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
for line in Exec=orlane StartupWMClass=orlane Icon=orlane "Categories=Office;Calendar;" X-GNOME-SingleWindow=true; do
  grep -qxF "$line" "$entry" || fail "$entry lacks $line"
done
echo "desktop entry valid: $entry"
