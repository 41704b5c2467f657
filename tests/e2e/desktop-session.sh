#!/usr/bin/env bash
# Runs a command on a desktop of its own: a private Xvfb, a fresh D-Bus session, temporary home and
# XDG folders and, on request, a tray host, so that desktop tests never touch the user's session
# and can run side by side.
# Usage: desktop-session.sh [--screen WxHxD] [--tray] -- COMMAND [ARGUMENT...]
set -euo pipefail

screen=1920x1080x24
tray=no
while [[ $# -gt 0 ]]; do
    case $1 in
        --screen) screen=$2; shift 2 ;;
        --tray) tray=yes; shift ;;
        --) shift; break ;;
        *) echo "desktop-session.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[[ $# -gt 0 ]] || { echo "desktop-session.sh: no command" >&2; exit 2; }

if [[ -z ${ORVANDEL_DESKTOP_SESSION_INNER:-} ]]; then
    home=$(mktemp -d /tmp/orvandel-desktop.XXXXXX)
    trap 'rm -rf "$home"' EXIT
    mkdir -p "$home/config" "$home/cache" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
    # Xvfb picks a free display number itself and tells it through the pipe.
    exec {display_pipe}<> <(:)
    Xvfb -displayfd "$display_pipe" -screen 0 "$screen" -nolisten tcp -noreset \
        >"$home/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$home"' EXIT
    read -r -t 30 -u "$display_pipe" number || { cat "$home/xvfb.log" >&2; exit 1; }
    env -u XDG_CURRENT_DESKTOP -u XDG_SESSION_DESKTOP -u DESKTOP_SESSION -u WAYLAND_DISPLAY \
        -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
        DISPLAY=":$number" HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_CACHE_HOME="$home/cache" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=xcb ORVANDEL_DESKTOP_SESSION_INNER=1 \
        dbus-run-session -- "$0" --screen "$screen" $([[ $tray == yes ]] && echo --tray) -- "$@"
    exit $?
fi

# Inside the D-Bus session.
if [[ $tray == yes ]]; then
    export ORVANDEL_TRAY_COMMAND="trayer --edge top --align right --widthtype request --height 24 --transparent false --expand true --SetDockType true"
    $ORVANDEL_TRAY_COMMAND >/dev/null 2>&1 &
    export ORVANDEL_TRAY_PID=$!
    trap 'kill $ORVANDEL_TRAY_PID 2>/dev/null || true' EXIT
    # The tray host owns the system-tray selection once it is ready for icons.
    for _ in $(seq 100); do
        if xdotool search --class trayer >/dev/null 2>&1 ||
            xdotool search --name panel >/dev/null 2>&1; then
            break
        fi
        sleep 0.1
    done
    sleep 0.3
fi
set +e
"$@"
status=$?
exit $status
