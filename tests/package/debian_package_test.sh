#!/usr/bin/env bash
# debian_package_test.sh BUILD_DIR
#
# Makes the Debian package from BUILD_DIR with CPack and checks it the way a user's machine gets
# it, without installing anything on this machine: the package is unpacked into a scratch root.
#   1. Its control fields, and its dependencies against the libraries the binary really links.
#   2. Its files: launcher, program, desktop entry, the icon at every hicolor size.
#   3. The installed launcher on a virtual X display (Xvfb), as a desktop starts it: first start
#      with the default storage (the launcher makes the folder, the program the fresh log and its
#      message, then the main dialog "Tarvo V1.10"), closed with Escape; a second start on an
#      existing log shows the main dialog at once and leaves the file alone.
#   4. The installed launcher on Qt's offscreen platform with TARVO_STORAGE: the log appears on
#      that card and nowhere else; the program runs until it is terminated.
#   5. The installed launcher's command line with no display at all: --version, and --export of
#      a log to standard output.
# Waiting is a poll with a generous deadline, only for what another process does.
set -euo pipefail

build=$(readlink -f "$1")
scratch=$(mktemp -d)
xvfb_pid=""
program_pid=""

cleanup() {
    set +e
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for said in "$scratch"/*.err; do
        [ -s "$said" ] && { echo "$(basename "$said"):"; cat "$said"; } >&2
    done
    exit 1
}
step() { echo "-- $*"; }

# poll SECONDS COMMAND...: true as soon as COMMAND succeeds, false when the time is up.
poll() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

for tool in cpack dpkg-deb dpkg-query readelf ldd file desktop-file-validate Xvfb xwininfo \
    xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

fresh_log=$'CHANGE OIL BEFORE\n0.000000\nCHANGE AIR-F BEFORE\n0.000000\n\n0.000000\n0\n'
worked_example=$'CHANGE OIL BEFORE\n45000.000000\nCHANGE AIR-F BEFORE\n50000.000000\n\n0.000000\n2\n'
worked_example+=$'Year,Month,Day,Hour,Minute,Second,Odo,Fuel,0:fillup 1:notFillup 2:Maintenance,'
worked_example+=$'Cost,km/L,Trip,\\/L\n'
worked_example+=$'2007,8,26,7,30,45,41890.0,30.2,0,4288,15.6,660.0,142.0\n'
worked_example+=$'2007,8,15,18,40,12,41230.0,38.5,0,5390,0.0,0.0,140.0\n'

step "making the package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
debs=("$scratch"/cpack/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tarvo_1.10_${arch}.deb" ] || fail "package file $(basename "$deb")"

step "control fields"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarvo ] || fail "Package: $(field Package)"
[ "$(field Version)" = 1.10 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Description)" ] || fail "no Description"
[ "$(field Maintainer)" = "Tarvo maintainers <maintainers@users.noreply.c-seed-de4de932.example>" ] ||
    fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
echo "Depends: $depends"

step "unpacking into a scratch root"
root=$scratch/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/libexec/tarvo/tarvo
launcher=$root/usr/bin/tarvo
desktop=$root/usr/share/applications/tarvo.desktop
expected_files=(
    usr/bin/tarvo
    usr/libexec/tarvo/tarvo
    usr/share/applications/tarvo.desktop
    usr/share/doc/tarvo/copyright
)
for size in 16 32 48 64 128 256; do
    expected_files+=("usr/share/icons/hicolor/${size}x${size}/apps/tarvo.png")
done
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
expected=$(printf '%s\n' "${expected_files[@]}" | sort)
[ "$actual" = "$expected" ] || fail "package files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
[ -x "$launcher" ] && [ -x "$program" ] || fail "launcher or program not executable"
file -b "$program" | grep -q '^ELF' || fail "the program is no ELF binary: $(file -b "$program")"
grep -q '^License: GPL-3.0-or-later$' "$root/usr/share/doc/tarvo/copyright" ||
    fail "the copyright file names no GPL-3.0-or-later licence"
head -n 1 "$launcher" | grep -q '^#!/bin/sh' || fail "the launcher is no shell script"
for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/tarvo.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "icon ${size}x${size}: $(file -b "$icon")"
done

step "dependencies: exactly the packages of the libraries the program links"
# Each library the binary names (DT_NEEDED) is resolved as the loader does it, and the package
# that ships it must be listed; each listed package must ship one of them.
owner_of() {
    local path
    path=$(readlink -f "$1")
    # On a merged /usr the package database may name the file under /lib.
    dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "${path#/usr}" 2>/dev/null ||
        fail "no package ships $1"
}
needed_owners=()
while read -r library; do
    resolved=$(ldd "$program" | awk -v lib="$library" '$1 == lib { print $3 }')
    [ -n "$resolved" ] && [ "$resolved" != "not" ] || fail "$library does not resolve"
    package=$(owner_of "$resolved" | head -n 1 | cut -d: -f1)
    needed_owners+=("$package")
done < <(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
listed=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort -u)
linked=$(printf '%s\n' "${needed_owners[@]}" | sort -u)
[ "$listed" = "$linked" ] ||
    fail "Depends and linked libraries differ:"$'\n'"$(diff <(echo "$linked") <(echo "$listed"))"
for required in libqt6widgets6 libqt6gui6 libqt6core6; do
    echo "$listed" | grep -qx "$required" || fail "Depends lacks $required"
done
# Every dependency, with its version bound, is met by a real Debian package here.
echo "$depends" | tr ',' '\n' | while read -r entry; do
    name=${entry%% *}
    installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed"
    if [[ $entry =~ \((..?)\ (.*)\) ]]; then
        dpkg --compare-versions "$installed" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" ||
            fail "$name $installed does not meet $entry"
    fi
done

step "desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
for line in 'Type=Application' 'Name=Tarvo' 'Exec=tarvo' 'Icon=tarvo' 'Terminal=false' \
    'StartupWMClass=Tarvo'; do
    grep -qx "$line" "$desktop" || fail "tarvo.desktop lacks $line"
done
grep -Eq '^Comment=.+' "$desktop" || fail "tarvo.desktop has no Comment"
grep -Eq '^Categories=(.*;)?Utility;' "$desktop" || fail "tarvo.desktop is not in Utility"

# A clean session's environment: nothing of this machine's Qt or storage settings leaks in.
home=$scratch/home
runtime=$scratch/runtime
mkdir -p "$home" && mkdir -m 700 "$runtime"
session=(env -i "PATH=/usr/bin:/bin" "HOME=$home" "XDG_RUNTIME_DIR=$runtime" "LANG=C.UTF-8")

step "a virtual X display"
display_file=$scratch/display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null \
    2>"$scratch/xvfb.log" &
xvfb_pid=$!
poll 30 test -s "$display_file" || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n 1 "$display_file")"

# The top-level window titled $1 that belongs to the program (its X class is the one the desktop
# entry names), when it is shown: prints its id.
shown_window() {
    local id
    id=$(xwininfo -root -children 2>/dev/null | grep -F "\"$1\": (\"tarvo\" \"Tarvo\")" |
        awk '{ print $1 }' | head -n 1)
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' &&
        echo "$id"
}
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(($1))" ]; }
running() { kill -0 "$program_pid" 2>/dev/null; }
not_running() { ! running; }
file_is() { [ -f "$1" ] && [ "$(cat "$1"; echo x)" = "$2"x ]; }

# press WINDOW KEY: the key, typed when WINDOW has the keyboard focus.
press() {
    poll 30 has_focus "$1" || fail "window $1 never got the focus"
    xdotool key "$2"
}

# finish STDERR_FILE: the program must end by itself with status 0, having said nothing.
finish() {
    poll 60 not_running || fail "the program did not end"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    [ ! -s "$1" ] || { cat "$1"; fail "the program wrote to stderr"; }
}

step "first start from the desktop entry's command, default storage"
card=$home/.local/share/tarvo/SD\ Storage
"${session[@]}" "DISPLAY=$DISPLAY" "$launcher" >/dev/null 2>"$scratch/first.err" &
program_pid=$!
poll 60 shown_window Tarvo >/dev/null || fail "no message box at first start"
box=$(shown_window Tarvo)
[ -d "$card/Tarvo" ] || fail "the launcher did not make $card/Tarvo"
file_is "$card/Tarvo/Tarvo.csv" "$fresh_log" || fail "no fresh log at first start"
[ -z "$(shown_window 'Tarvo V1.10')" ] || fail "the main dialog showed before the message"
press "$box" Return
poll 60 shown_window 'Tarvo V1.10' >/dev/null || fail "no main dialog after the message"
main=$(shown_window 'Tarvo V1.10')
press "$main" Escape
finish "$scratch/first.err"
file_is "$card/Tarvo/Tarvo.csv" "$fresh_log" || fail "closing changed the log"

step "second start on an existing log, storage under XDG_DATA_HOME"
data=$scratch/data
mkdir -p "$data/tarvo/SD Storage/Tarvo"
printf '%s' "$worked_example" >"$data/tarvo/SD Storage/Tarvo/Tarvo.csv"
"${session[@]}" "DISPLAY=$DISPLAY" "XDG_DATA_HOME=$data" "$launcher" >/dev/null \
    2>"$scratch/second.err" &
program_pid=$!
poll 60 shown_window 'Tarvo V1.10' >/dev/null || fail "no main dialog on an existing log"
main=$(shown_window 'Tarvo V1.10')
[ -z "$(shown_window Tarvo)" ] || fail "a message box on an existing log"
press "$main" Escape
finish "$scratch/second.err"
file_is "$data/tarvo/SD Storage/Tarvo/Tarvo.csv" "$worked_example" || fail "the log was changed"

step "offscreen, on the card TARVO_STORAGE names"
kill "$xvfb_pid" && wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
home2=$scratch/home2
mkdir -p "$home2" "$scratch/card/Tarvo"
env -i "PATH=/usr/bin:/bin" "HOME=$home2" "XDG_RUNTIME_DIR=$runtime" "LANG=C.UTF-8" \
    QT_QPA_PLATFORM=offscreen "TARVO_STORAGE=$scratch/card" "$launcher" \
    >/dev/null 2>"$scratch/offscreen.err" &
program_pid=$!
poll 60 file_is "$scratch/card/Tarvo/Tarvo.csv" "$fresh_log" || fail "no log on the card"
# Its message box waits for a person; the program is still up until it is told to end.
running || fail "the program ended by itself"
[ ! -e "$home2/.local" ] || fail "the default storage was made although TARVO_STORAGE is set"
kill -TERM "$program_pid"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq $((128 + 15)) ] || fail "status $status after SIGTERM"
# The offscreen platform says once that it cannot pass a fixed size on to a window system, as
# it has none; anything else said is a fault.
grep -v '^This plugin does not support propagateSizeHints()$' "$scratch/offscreen.err" \
    >"$scratch/offscreen-rest.err" || true
[ ! -s "$scratch/offscreen-rest.err" ] || fail "the program wrote to stderr offscreen"

step "the command line, with no display"
mkdir -p "$scratch/cli-home" "$scratch/cli-card/Tarvo"
printf '%s' "$worked_example" >"$scratch/cli-card/Tarvo/Tarvo.csv"
cli=(env -i "PATH=/usr/bin:/bin" "HOME=$scratch/cli-home" "LANG=C.UTF-8"
    "TARVO_STORAGE=$scratch/cli-card" "$launcher")
version=$("${cli[@]}" --version 2>"$scratch/cli.err") || fail "tarvo --version failed"
[ "$version" = "Tarvo 1.10" ] || fail "tarvo --version said: $version"
"${cli[@]}" --export - >"$scratch/export.csv" 2>>"$scratch/cli.err" ||
    fail "tarvo --export - failed"
export_header='date,kind,litres,odometer_km,cost_yen,trip_km,km_per_litre,yen_per_litre'
file_is "$scratch/export.csv" "$export_header"$'\r\n'\
'2007-08-15T18:40:12,fill-up,38.5,41230.0,5390,,,140.00'$'\r\n'\
'2007-08-26T07:30:45,fill-up,30.2,41890.0,4288,660.0,21.85,141.99'$'\r\n' ||
    fail "tarvo --export - wrote: $(cat "$scratch/export.csv")"
[ ! -s "$scratch/cli.err" ] || fail "the command line wrote to stderr"

echo "debian package: all checks passed"
