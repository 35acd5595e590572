# Notepad helpers of the script tests (notepad.sh, day.sh): sourced after app_lib.sh, never run.

at() { probe companion "$1" | cut -d' ' -f"${2:-1,2}"; } # NAME [FIELDS]: left top width height shown
page() { echo "$(memo_folder)/备忘/default"; }
check_page() { # WHAT UTF8-TEXT: the file holds the text in code page 936 with CR LF line breaks
    cmp -s <(printf '%s' "$2" | sed 's/$/\r/; $ s/\r$//' | iconv -f UTF-8 -t GB18030) "$(page)" &&
        echo "ok: $1" || fail "$1: the file holds '$(od -An -c "$(page)" 2>/dev/null | tr -s ' ')'"
}
# Clicks into the text and gives the notepad's X window the keyboard (there is no window manager).
focus_page() {
    local w try pos
    click_item 1047 @notepad
    pos=$(at notepad | tr ' ' ,)
    for try in 1 2 3 4 5; do
        for w in $(xdotool search --onlyvisible --classname lunoria); do
            xdotool getwindowgeometry "$w" | grep -q "Position: $pos " && xdotool windowfocus --sync "$w" && return
        done
        sleep 0.5
    done
    fail "no X window for the notepad at $pos"
}
# One key at a time: for a Chinese character xdotool maps a spare key just for the press, and Wine
# now and then reads the keymap after it was unmapped and drops the key; such a key is pressed again.
type_page() {
    local i try now before
    before=$(probe pagetext)
    for ((i = 0; i < ${#1}; i++)); do
        for try in 1 2 3; do
            xdotool type "${1:i:1}"; sleep 0.2
            now=$(probe pagetext)
            # A change alone is not the key: a late Enter before it changes the page too.
            [ "$now" != "$before" ] && [[ $now == *"${1:i:1}" ]] && break
        done
        before=$now
    done
}
