#!/usr/bin/env bash
# The window driven from outside like a person would, in a real X server: Ctrl+L, a path typed
# into the open dialog, Enter, Ctrl+A and Ctrl+C in the view, the clipboard read back and
# compared with zelm-list's output; Ctrl+F changes nothing; Ctrl+E ends the program with 0.
#
#   e2e_window.sh BIN_DIR SAMPLE SCREENSHOT
set -uo pipefail

bin=$1 sample=$2 screenshot=$3
work=$(mktemp -d)
xvfb_pid= zelm_pid=
cleanup() {
  [[ -n $zelm_pid ]] && kill "$zelm_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls a command until it succeeds, for at most $1 tenths of a second.
wait_for() {
  local tries=$1; shift
  for ((i = 0; i < tries; i++)); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# An X server of our own on a display it picks itself. -noreset: the server would otherwise
# restart as the probe below disconnects, and refuse the program meanwhile.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_known() { [[ -s $work/display ]]; }
wait_for 100 display_known || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -1 "$work/display")
wait_for 100 xdpyinfo || fail "Xvfb does not answer: $(cat "$work/xvfb.log")"

unset QT_QPA_PLATFORM
"$bin/zelm" >"$work/zelm.log" 2>&1 &
zelm_pid=$!

window_named() { xdotool search --onlyvisible --name "^$1\$"; }
wait_for 150 window_named "ZELM Ver0.0β" || fail "the window did not appear: $(cat "$work/zelm.log")"
main_window=$(window_named 'ZELM Ver0.0β' | head -1)
[[ $(xdotool getwindowname "$main_window") == 'ZELM Ver0.0β' ]] || fail "wrong window title"
wm_class=$(xprop -id "$main_window" WM_CLASS)
[[ $wm_class == *'"ZELM Ver0.1"'* ]] || fail "application title not in WM_CLASS: $wm_class"

# There is no window manager to give the window the focus: give it ourselves.
xdotool windowfocus --sync "$main_window"
visible_windows() { xdotool search --onlyvisible --class zelm | wc -l; }
before=$(visible_windows)

xdotool key ctrl+l
dialog_open() { (($(visible_windows) > before)); }
wait_for 100 dialog_open || fail "Ctrl+L did not open the dialog"
sleep 0.5
xdotool type --delay 10 "$sample"
xdotool key Return
dialog_closed() { (($(visible_windows) <= before)); }
wait_for 100 dialog_closed || fail "the dialog did not close on Enter"
sleep 0.5

expected="$work/expected.txt"
"$bin/zelm-list" "$sample" >"$expected" || fail "zelm-list failed"
# The view holds the entries on lines of their own; it has no line feed after the last one.
truncate -s -1 "$expected"

# Selects all of the view and copies it, then waits for the clipboard to hold the expected text.
# The clipboard is set to a marker first, so that an old copy cannot pass for a new one.
copy_view_matches() {
  echo "marker $RANDOM" | xclip -i -selection clipboard
  xdotool key ctrl+a ctrl+c
  clipboard_matches() {
    xclip -o -selection clipboard >"$work/clipboard.txt" 2>/dev/null && cmp -s "$work/clipboard.txt" "$expected"
  }
  wait_for 50 clipboard_matches
}

# A picture of the listing's head, where the two rules should line up.
xdotool key ctrl+Home
sleep 0.3
mkdir -p "$(dirname "$screenshot")"
import -window root -crop 480x420+270+170 +repage "$screenshot" 2>/dev/null || echo "no screenshot taken"

copy_view_matches ||
  fail "clipboard differs from zelm-list: $(diff "$work/clipboard.txt" "$expected" | head -5)"

xdotool key ctrl+f
sleep 0.5
kill -0 "$zelm_pid" 2>/dev/null || fail "Ctrl+F closed the window"
copy_view_matches || fail "Ctrl+F changed the text: $(diff "$work/clipboard.txt" "$expected" | head -5)"

# The menus' access keys: Alt+F opens ファイル(F); Escape closes it again. The focus went back to
# the root window with the dialog: give it to the window again.
xdotool windowfocus --sync "$main_window"
xdotool key alt+f
menu_open() { (($(visible_windows) > before)); }
wait_for 50 menu_open || fail "Alt+F did not open the menu"
xdotool key Escape Escape
menu_closed() { (($(visible_windows) <= before)); }
wait_for 50 menu_closed || fail "Escape did not close the menu"

xdotool key ctrl+e
exited() { ! kill -0 "$zelm_pid" 2>/dev/null; }
wait_for 100 exited || fail "Ctrl+E did not end the program"
wait "$zelm_pid"
status=$?
zelm_pid=
((status == 0)) || fail "exit status $status after Ctrl+E: $(tail -30 "$work/zelm.log")"
echo "1 passed, 0 failed"
