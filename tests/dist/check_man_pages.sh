# Both manual pages render without a warning, and orlanectl.1 names every
# command, subcommand and option that `orlanectl --help` lists, and every
# exit status.
set -euo pipefail
source "$(dirname "$0")/dist_lib.sh"
need_tool man man-db

pages="$ORLANE_SOURCE_DIR/dist/man"
for page in orlane.1 orlanectl.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$pages/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The page's text with the roff escapes for dashes and fonts removed.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIPR]//g' "$pages/orlanectl.1")
help=$("$ORLANE_BUILD_DIR/bin/orlanectl" --help)
words=$(printf '%s\n' "$help" | tr ' |()[]<>' '\n' | grep -E '^-{0,2}[a-z][a-z_-]*$' | sort -u)
[ -n "$words" ] || fail "orlanectl --help listed nothing"
missing=""
for word in $words; do
  # A here-string, not a pipe: grep -q stops at the first match, and the writer of
  # a pipe would then fail under pipefail.
  grep -qwF -e "$word" <<< "$text" || missing="$missing $word"
done
[ -z "$missing" ] || fail "orlanectl.1 does not name:$missing"

status=$(printf '%s\n' "$text" | sed -n '/^\.SH EXIT STATUS/,/^\.SH /p')
for code in 0 1 2 3 4 5; do
  grep -qx "\.B $code" <<< "$status" || fail "orlanectl.1 does not explain exit status $code"
done
echo "manual pages render cleanly; orlanectl.1 names all of: $(echo $words)"
