# Memo helpers of the script tests (memo.sh, day.sh, theme.sh): sourced after app_lib.sh, never run.
# open_day and hover take the grid's client point and need x0 y0, the calendar window's screen origin.

editor='输入记事'
weekly='每周提示'

# The memo record bytes of a file as hex: format word, then (slot, UTF-8 text, colour word hex) triples.
memo_hex() {
    local out=6400 slot text hex len
    while [ $# -ge 3 ]; do
        slot=$1 text=$2
        hex=$(printf '%s' "$text" | iconv -f UTF-8 -t GB18030 | xxd -p | tr -d '\n')
        len=$((${#hex} / 2))
        out+=$(printf '%02x00%02x%02x%s%s' "$slot" $((len & 255)) $((len >> 8)) "$3" "$hex")
        shift 3
    done
    echo "$out"
}
file_hex() { [ -f "$1" ] && xxd -p "$1" | tr -d '\n'; }
# Red (255, 0, 0) pixels of the screen in a box: the "●" of a weekly note.
red_in() {  # shot X Y W H
    convert "$1" -crop "$4x$5+$2+$3" +repage txt:- 2>/dev/null | grep -ci '#FF0000'
}
# Types into control ID of window TITLE as a user does: a click into it, then the keys. The
# throwaway first key wakes the input path that drops the first Chinese character otherwise.
type_into() {  # TITLE ID TEXT
    click_item "$2" "$1"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -1)"
    xdotool type 'a'
    sleep 0.3
    xdotool key BackSpace
    xdotool type --delay 100 "$3"
    sleep 0.3
}
# Empties the single-line edit ID of TITLE.
clear_edit() {  # TITLE ID
    click_item "$2" "$1"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -1)"
    xdotool key End shift+Home BackSpace
    sleep 0.3
}
# Picks the first basic colour (RGB(255, 128, 128), colour word bytes ff 80 80 01) in the standard colour chooser and confirms it.
choose_colour() {
    wait_for 10 window_shown '^Color$' || { fail "no colour chooser"; return 1; }
    local wid
    wid=$(xdotool search --onlyvisible --name '^Color$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    xdotool mousemove $((X + 18)) $((Y + 50)) click 1
    sleep 0.3
    click_item 1 Color
    wait_for 10 window_gone '^Color$' || fail "the colour chooser stayed"
}
tip_shown() { [ "$(probe tip | cut -c1)" = 1 ]; }
# hover X Y: the pointer onto the grid's client point, coming from the header (no day).
hover() {
    xdotool mousemove $((x0 + 100)) $((y0 + 22 + 5))
    sleep 0.3
    xdotool mousemove $((x0 + $1)) $((y0 + 22 + $2))
}
open_day() {  # X Y: client point of the grid
    xdotool mousemove $((x0 + $1)) $((y0 + 22 + $2)) click 1
    wait_for 10 window_shown "^$editor\$" || { fail "no memo editor"; return 1; }
    sleep 0.3
}
