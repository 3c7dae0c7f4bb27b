#!/usr/bin/env bash
# Makes the example sessions in examples/ with the modeller itself: starts the
# real silmod on a private X server (Xvfb) for each example and builds the
# scene as a user would, with xdotool's clicks in the panels, points clicked
# into the "curves" window, keys that step the selected values, and a save
# through the file browser. Needs the built modeller (make build), Xvfb and
# xdotool.
#   tools/make_examples.sh [EXAMPLE...]   (default: all of them)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
silmod="$top/build/silmod"
out="$top/examples"
[ -x "$silmod" ] || { echo "make_examples: build the modeller first (make build)" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "make_examples: $tool is missing" >&2; exit 1; }
done
mkdir -p "$out"

work=""
xvfb_pid=""
silmod_pid=""
stop() {
  for pid in $silmod_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "$work" ]; then rm -rf "$work"; fi
  silmod_pid="" xvfb_pid="" work=""
}
trap stop EXIT

# A fresh modeller in an empty directory: "display" at 0,0 and "curves" beside it.
start() {
  work=$(mktemp -d /tmp/silmod-examples.XXXXXX)
  exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
  xvfb_pid=$!
  local number
  read -r -t 20 number <&3 || { echo "make_examples: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
  (cd "$work" && exec "$silmod" >"$work/silmod.log" 2>&1) &
  silmod_pid=$!
  display_win=$(timeout 20 xdotool search --sync --pid "$silmod_pid" --name '^display$' | head -1)
  curves_win=$(timeout 20 xdotool search --sync --pid "$silmod_pid" --name '^curves$' | head -1)
  xdotool windowmove "$display_win" 0 0 windowmove "$curves_win" 620 0
  sleep 1
  armed=rot-x  # the object panel's value cell that a click would step rather than select
}

# Clicks at window coordinates (y down); a count of 2 makes a double click.
click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 150 1; }
right_click() { xdotool mousemove --window "$1" "$2" "$3" click 3; }
# Keys with the pointer over the 3D view, where "display" takes them.
keys() { xdotool mousemove --window "$display_win" 300 300 key --delay 15 "$@"; }
# Entry k of the "i/o menu" (or of "misc" with its title at 195).
menu() {
  local k=$1 title=${2:-270} entry=${3:-260}
  xdotool mousemove --window "$display_win" "$entry" 40 mousemove --window "$display_win" "$title" 5 \
    mousemove --window "$display_win" "$entry" $((20 * k)) click 1
}

# The object panel: buttons that create objects, the "r" resets of each row,
# and value cells. A value cell is selected by its first click; a click on
# the selected cell would step it instead, so such a click is left out.
button() {
  case $1 in
    box) click "$display_win" 65 8 ;; sph) click "$display_win" 95 8 ;;
    cyl) click "$display_win" 125 8 ;; rev) click "$display_win" 65 22 ;;
    ext) click "$display_win" 95 22 ;; cone) click "$display_win" 125 22 ;;
  esac
  sleep 0.3
}
reset_rows() { for y in 52 82 112 142; do click "$display_win" 10 "$y"; done; }
select_cell() {
  local name=$1 x y
  case $name in
    rot-*) y=52 ;; pos-*) y=82 ;; scale-*) y=112 ;; color-*) y=142 ;;
  esac
  case $name in
    *-x | *-r) x=55 ;; *-y | *-g) x=90 ;; *-z | *-b) x=125 ;; *-a) x=150 ;;
  esac
  [ "$armed" = "$name" ] || click "$display_win" "$x" "$y"
  armed=$name
}
# Steps the selected value: n large steps up (negative: down), then m small ones.
step() {
  local large=$1 small=${2:-0} key
  if [ "$large" -ge 0 ]; then key=F1; else key=F2; large=$((-large)); fi
  [ "$large" -gt 0 ] && keys --repeat "$large" "$key"
  if [ "$small" -ge 0 ]; then key=F3; else key=F4; small=$((-small)); fi
  [ "$small" -gt 0 ] && keys --repeat "$small" "$key"
  return 0
}
# A cell set by steps from its reset value: angles 0 (steps of 10 and 1
# degrees), positions 0 (1 and 0.1), scales 0.2 (0.1 and 0.01), colour
# channels 204 of 255 (10 and 1).
set_cell() { select_cell "$1"; step "$2" "${3:-0}"; }
# The shine bar of the material panel, 0..1.
shine() { click "$display_win" "$(awk -v s="$1" 'BEGIN { printf "%d", s * 120 }')" 285; }
# The current object's name, typed over the old one.
rename() { keys --repeat 15 BackSpace; xdotool type --delay 20 "$1"; }
# Rows of the lights panel: 0 ambient, 1..5 the lights.
light() { click "$display_win" 470 $((20 * $1 + 10)); }
light_switch() { click "$display_win" 515 $((20 * $1 + 10)); }

# The "curves" window: its bar buttons and points at (x, height from the bottom),
# snapped to its 10-pixel grid.
curves_button() {
  case $1 in
    orgn) click "$curves_win" 140 10 ;; order) click "$curves_win" 180 10 ;;
    knots) click "$curves_win" 220 10 ;;
  esac
}
points() {
  while [ $# -ge 2 ]; do
    click "$curves_win" "$1" $((300 - $2))
    shift 2
  done
}

# Saves the session under name.ses through the browser and copies it to examples/.
save() {
  local name=$1
  menu 3
  sleep 0.5
  keys --repeat 14 BackSpace
  xdotool type --delay 20 "$name"
  click "$display_win" 400 38 2
  for _ in $(seq 100); do
    [ -s "$work/$name.ses" ] && break
    sleep 0.1
  done
  [ -s "$work/$name.ses" ] || { echo "make_examples: $name.ses was not saved" >&2; cat "$work/silmod.log" >&2; exit 1; }
  sleep 0.5
  cp "$work/$name.ses" "$out/$name.ses"
  echo "examples/$name.ses"
}

# A vase: a cubic profile turned about the axis (the left edge of "curves").
vase() {
  button rev
  curves_button order
  points 0 20 60 20 80 50 90 100 70 160 50 200 50 230 70 260
  reset_rows
  set_cell scale-a 1
  set_cell color-g -11
  set_cell color-b -15 -4
  shine 0.3
  rename vase
  save vase
}

# A five-pointed star pushed along depth, its outline ending on its first
# point so that both caps close it; stood on the floor and turned to the camera.
star() {
  button ext
  click "$display_win" 260 235  # "unit": one object
  curves_button orgn
  click "$curves_win" 150 150
  curves_button orgn
  points 150 250 130 180 50 180 110 140 90 70 150 110 210 70 190 140 250 180 170 180 150 250
  reset_rows
  set_cell rot-y 4 5
  set_cell pos-y 2 5
  set_cell scale-a 3
  set_cell scale-z -2
  set_cell color-r 2 1
  set_cell color-g -2
  set_cell color-b -16 -4
  shine 0.9
  rename star
  save star
}

# A chess pawn: foot, collar, waist and head in one cubic profile that closes
# on the axis at the top.
pawn() {
  button rev
  curves_button order
  points 0 10 90 10 90 30 70 40 70 60 40 80 30 150 70 160 70 170 30 180 60 200 60 250 30 270 0 280
  reset_rows
  set_cell scale-a 1
  set_cell color-r 3
  set_cell color-g 2
  set_cell color-b -1
  shine 0.6
  rename pawn
  save pawn
}

# Four lamps made as one cluster (a post and its globe), duplicated and set
# down around a crate; one of the white lights off, a red one from the right
# and a blue one from above.
lamps() {
  button cyl
  reset_rows
  set_cell rot-x -9
  set_cell scale-x -1 -2
  set_cell scale-y -1 -2
  set_cell scale-z 2
  set_cell color-r -10
  set_cell color-g -10
  set_cell color-b -8
  shine 0.5
  rename post
  button sph
  reset_rows
  set_cell pos-y 4 8
  set_cell scale-a -1
  set_cell color-r 5
  set_cell color-g 5
  set_cell color-b -3
  shine 0.9
  rename globe
  # Cluster mode, both marked: the cluster is set down and duplicated as one.
  click "$display_win" 530 283
  click "$display_win" 495 298
  click "$display_win" 495 313
  click "$display_win" 300 330  # on the floor there
  keys Insert
  click "$display_win" 430 250
  keys Insert
  click "$display_win" 300 175
  keys Insert
  click "$display_win" 170 250
  click "$display_win" 530 283  # back to single objects
  button box
  reset_rows
  set_cell scale-a 1
  set_cell color-r -3
  set_cell color-g -12
  set_cell color-b -15
  shine 0.2
  rename crate
  light_switch 2
  light 4
  light_switch 4
  click "$display_win" 10 82  # its position back to 0, 0, 0: the "r" of that row
  set_cell pos-x 30
  set_cell pos-y 10
  set_cell color-r 20
  light 5
  light_switch 5
  set_cell color-g 5
  set_cell color-b 20
  save lamps
}

examples=${*:-vase star pawn lamps}
for example in $examples; do
  start
  "$example"
  stop
done
