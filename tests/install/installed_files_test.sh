#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what it installed
# with the tools made for each file: the desktop entry, the AppStream data,
# the icons, the manual pages and the systemd unit. A check whose tool is
# not installed is named and left out; with none of them the test is skipped.
# Usage: installed_files_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/orvinta-files-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
checked=0
failed=0
check() {  # check NAME TOOL COMMAND...
  local name=$1 tool=$2
  shift 2
  if ! command -v "$tool" >/dev/null; then
    echo "not checked: $name ($tool is missing)"
    return
  fi
  checked=$((checked + 1))
  if "$@" >"$work/out" 2>&1; then
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAIL: $name"
    cat "$work/out"
  fi
}

for f in "$prefix/bin/orvinta" "$prefix/bin/orvinta-server" "$prefix/bin/quendel-host" \
         "$prefix/share/orvinta/portal/control.html" "$prefix/share/orvinta/orvinta-fonts.conf"; do
  [[ -e "$f" ]] || { echo "FAIL: ${f#"$prefix"/} is not installed"; failed=$((failed + 1)); }
done
compgen -G "$prefix/lib*/orvinta/libquendel.so" >/dev/null || compgen -G "$prefix/lib/*/orvinta/libquendel.so" >/dev/null ||
  { echo "FAIL: libquendel.so is not installed"; failed=$((failed + 1)); }

desktop="$share/applications/net.belvo.Orvinta.desktop"
check "desktop entry" desktop-file-validate desktop-file-validate "$desktop"
grep -qx 'MimeType=x-scheme-handler/orvinta;' "$desktop" && grep -qx 'Exec=orvinta %u' "$desktop" ||
  { echo "FAIL: the desktop entry does not handle orvinta:// links"; failed=$((failed + 1)); }
check "AppStream metainfo" appstreamcli appstreamcli validate --no-net "$share/metainfo/net.belvo.Orvinta.metainfo.xml"

# Each hicolor PNG is the size its folder names (the IHDR width and height).
for size in 16 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/orvinta.png"
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4, $7 * 256 + $8}')
  [[ "$w" == "$size" && "$h" == "$size" ]] || { echo "FAIL: $png is ${w}x$h"; failed=$((failed + 1)); }
done
check "SVG icon" xmllint xmllint --noout "$share/icons/hicolor/scalable/apps/orvinta.svg"

for page in orvinta orvinta-server quendel-host; do
  check "manual page $page" man env MANWIDTH=80 LC_ALL=C.UTF-8 \
    bash -c 'out=$(man --warnings -l "$1" 2>&1 >/dev/null); [[ -z "$out" ]] || { echo "$out"; exit 1; }' _ \
    "$share/man/man1/$page.1.gz"
done

# The unit as the package installs it, pointed at this prefix's program.
unit="$(ls "$prefix"/lib/systemd/system/orvinta-server.service)"
mkdir -p "$work/unit"
sed "s|^ExecStart=[^ ]*/orvinta-server|ExecStart=$prefix/bin/orvinta-server|" "$unit" >"$work/unit/orvinta-server.service"
check "systemd unit" systemd-analyze env MANPATH="$share/man" systemd-analyze verify "$work/unit/orvinta-server.service"

echo "$checked tool checks, $failed failures"
((failed == 0)) || exit 1
((checked > 0)) || exit 77
