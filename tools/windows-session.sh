# Shared by the scripts that run qx.exe in a window: a display, a Wine
# prefix of its own and the player's settings. Needs WINEPREFIX set.

# qx_windows_session WORK: an Xvfb display (its process in $xvfb) and a
# Wine server that stays up for every program started after it.
qx_windows_session() {
    local work=$1 display
    for display in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
    done
    Xvfb ":$display" -screen 0 960x720x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    export DISPLAY=:$display
    for _ in $(seq 100); do
        xdotool getmouselocation >/dev/null 2>&1 && break
        sleep 0.1
    done
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot --init >/dev/null 2>&1 || true
    # Debian's Wine finds its own fonts (Tahoma, and Marlett for the title
    # bars' buttons) only where Windows keeps fonts.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# qx_windows_desktop FOLDER PROGRAM.exe: starts the program from its folder
# in a Windows desktop of Wine's own, which draws the windows' frames as
# Windows does.
qx_windows_desktop() {
    (cd "$1" && exec wine explorer /desktop=Quarvex,960x720 "./$2" >/dev/null 2>&1) &
}

# qx_windows_settings QXTOOL.EXE GAME PROGRAM UNITS: the settings file the
# settings window writes, coded by qxtool.exe.
qx_windows_settings() {
    local qxtool=$1
    shift
    local appdata plain
    appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
    mkdir -p "$appdata/Quarvex"
    plain=$(mktemp)
    printf '%s\r\n%s\r\n%s\r\n' "$1" "$2" "$3" >"$plain"
    wine "$qxtool" encode "$(winepath -w "$plain")" "$(winepath -w "$appdata/Quarvex/localset.ini")" >/dev/null
    rm -f "$plain"
}

# qx_wait_for_window TITLE SECONDS: prints the id of the first visible
# window whose title matches, or fails when none shows in time.
qx_wait_for_window() {
    local id tries=$(($2 * 10))
    while [ "$tries" -gt 0 ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}
