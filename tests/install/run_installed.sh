#!/usr/bin/env bash
# The second half of installed_programs_test.sh: runs inside the private mount
# namespace under Xvfb, with only WORK (the prefix and the test page) to go by.
# For an installed package, name its prefix and a scratch folder holding
# control_page.html:  xvfb-run -a run_installed.sh SCRATCH /usr
set -euo pipefail
work=$1
prefix=${2:-$work/prefix}
bin="$prefix/bin"
log="$work/server.log"
pids=()
# Clients started by xdg-open or by the control are not our children: they
# are found by their program file, which only this test's prefix holds.
stop_clients() {
  local p
  for p in /proc/[0-9]*; do
    [[ "$(readlink "$p/exe" 2>/dev/null)" == "$bin/orvinta" ]] && kill "${p#/proc/}" 2>/dev/null || true
  done
}
stop_all() {
  stop_clients
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_all EXIT
fail() { echo "FAIL: $*"; echo "--- server log"; cat "$log"; exit 1; }

# A clean desktop session of our own: no settings, no other handler, the
# installed programs first on the path.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_DIRS="$prefix/share:/usr/share"
export ORVINTA_COMPONENT_REGISTRY="$work/components.reg"
export PATH="$bin:$PATH"
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
unset QT_QPA_PLATFORM XDG_CURRENT_DESKTOP DESKTOP_SESSION QUENDEL_CLIENT_DIR FONTCONFIG_FILE ORVINTA_PORTAL
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Waits up to $3 seconds for the server to log that member $1 entered room $2.
await_entered() {
  for _ in $(seq $(($3 * 10))); do grep -qE "enter #[0-9]+ $1@[^ ]+ room $2\$" "$log" && return 0; sleep 0.1; done
  fail "$1 did not enter $2 within $3 s"
}

"$bin/orvinta-server" --port 0 --http-port 0 >"$work/server.out" 2>"$log" &
pids+=($!)
for _ in $(seq 100); do [[ $(wc -l <"$work/server.out") -ge 2 ]] && break; sleep 0.1; done
chat=$(sed -n 's/^listening on //p' "$work/server.out")
http=$(sed -n 's/^http on //p' "$work/server.out")
[[ -n "$chat" && -n "$http" ]] || fail "the installed server did not start"
export ORVINTA_PORTAL="http://$http/"
echo "server: chat $chat, http $http"

# The portal comes from share/orvinta/portal.
exec 3<>"/dev/tcp/${http%:*}/${http#*:}"
printf 'GET /control.html HTTP/1.0\r\nHost: %s\r\n\r\n' "$http" >&3
head -1 <&3 | grep -q ' 200 ' || fail "the installed portal does not serve control.html"
exec 3<&-
echo "ok: portal"

# The client by hand, in a real window.
launch() { printf '%s\n%s\nkey\n%s\n%s\n1001\n%s\n%s\nFALSE' "$1" "$chat" "$2" "$3" "$4" "$5"; }
"$bin/orvinta" "$(launch TRUE alice 앨리스 lobby 로비)" >"$work/alice.out" 2>&1 &
alice=$!
pids+=("$alice")
await_entered alice lobby 90
if command -v fc-match >/dev/null; then
  [[ "$(FONTCONFIG_FILE="$prefix/share/orvinta/orvinta-fonts.conf" fc-match -f '%{family}' 굴림)" == *NanumGothic* ]] ||
    fail "the installed font aliases do not map 굴림 to NanumGothic"
fi
echo "ok: client by hand"
stop_clients; wait "$alice" 2>/dev/null || true

# An orvinta:// link: the desktop database names the installed client.
if command -v update-desktop-database >/dev/null && command -v xdg-open >/dev/null; then
  # An installed package has updated it already; a private prefix needs it here.
  if [ -w "$prefix/share/applications" ]; then update-desktop-database "$prefix/share/applications"; fi
  xdg-open "orvinta://$(launch TRUE bob 밥 garden 정원)" >"$work/xdg.out" 2>&1 &
  pids+=($!)
  await_entered bob garden 90
  echo "ok: xdg-open orvinta://"
else
  echo "note: xdg-utils or desktop-file-utils missing; the orvinta:// link was not tried"
fi
stop_clients

# The control on a page, hosted by the installed quendel-host, starts the installed client.
sed "s/@SERVER@/$chat/" "$work/control_page.html" >"$work/page.html"
QT_QPA_PLATFORM=offscreen "$bin/quendel-host" --register --cookie blvsession_eid=dev \
  --dump-when-title done --dump-file "$work/page.txt" --timeout-ms 60000 "$work/page.html" >"$work/host.out" 2>&1 ||
  { cat "$work/host.out"; fail "quendel-host ended with status $?"; }
grep -q "libquendel.so" "$ORVINTA_COMPONENT_REGISTRY" && grep -qF "$prefix/" "$ORVINTA_COMPONENT_REGISTRY" ||
  fail "the registry does not name the installed module"
grep -qx "code 0" "$work/page.txt" || fail "the page's EnterRoom gave $(cat "$work/page.txt")"
await_entered kim lobby 90
echo "ok: the control's page started the installed client"
