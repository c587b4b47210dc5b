# Shared by the dist checks: skipping without a tool, failing with a message.
need_tool() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "SKIPPED: $1 is not installed (Debian package $2; make deps installs it)"
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
