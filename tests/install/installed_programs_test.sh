#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs
# with the source and build trees hidden (an empty tmpfs mounted over them in
# a private mount namespace), so anything still read from there fails:
#   - the server answers a login and a room, and serves its portal;
#   - the client, started by hand under Xvfb, reaches its room;
#   - an orvinta:// link opened with xdg-open starts the client into the room it names;
#   - quendel-host registers the installed control, whose page starts the installed client.
# Usage: installed_programs_test.sh BUILD_DIR SOURCE_DIR
# Exit 77 (skipped) when Xvfb or the mount namespace is not available.
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

for tool in xvfb-run unshare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d /tmp/orvinta-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
# The test page and the script's second half are copied out of the trees
# that are about to be hidden.
cp "$here/control_page.html" "$here/run_installed.sh" "$work/"

if ! unshare --mount --propagation private mount -t tmpfs -o size=1m orvinta-probe "$work/prefix/bin" 2>/dev/null; then
  echo "SKIP: cannot make a private mount namespace (needs root)"
  exit 77
fi
# Hide every tree the programs could have been built from (the build folder
# first: it may lie inside the source tree); /tmp stays.
unshare --mount --propagation private bash -c '
  set -e
  for tree in "$@"; do mount -t tmpfs -o size=1m,mode=0755 orvinta-hidden "$tree"; done
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "'"$work"'/run_installed.sh" "'"$work"'"
' hide "$build" "$source"
