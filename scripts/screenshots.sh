#!/usr/bin/env bash
# Pictures of the running program for docs/screenshots/: the built program is
# started on a virtual X screen (Xvfb, 1280 x 800) with a home folder of its
# own that holds the sample catalogue and a small collection, driven with
# xdotool, and the screen is taken with ImageMagick's "import" after each
# step. Installs xvfb, imagemagick and xdotool when they are missing, builds
# what it needs, and leaves nothing behind but the pictures.
#
#   scripts/screenshots.sh [OUTPUT_FOLDER]     (default: docs/screenshots)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(mkdir -p "${1:-$here/docs/screenshots}" && cd "${1:-$here/docs/screenshots}" && pwd)
build="$here/build"

# ---- Tools ----
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
# A stand-in "convert" may be on the path; the real import comes with the package.
dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed" || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${need[@]}"
fi
import_cmd=/usr/bin/import

# ---- The program and the collection writer ----
if [ ! -x "$build/orvanta" ] || [ ! -x "$build/tests/samplecollectionwriter" ]; then
  [ -f "$build/build.ninja" ] || "$here/scripts/setup.sh"
  cmake --build "$build" -j"${JOBS:-3}" --target orvanta samplecollectionwriter
fi

# ---- A home of its own: settings, catalogue, collection ----
home=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
export ORVANTA_HOME="$home"
export HOME="$home"
export XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$home/.config/Orvanta"
# The main window fills the screen; no tips.
cat > "$home/.config/Orvanta/Settings.ini" <<'EOF'
[Coins]
WindowLeft=int:0
WindowTop=int:0
WindowWidth=int:1280
Windowheight=int:800
Show Tips=int:0
EOF
collection="$home/Documents/Orvanta/Sample collection.OVD"
mkdir -p "$(dirname "$collection")"
"$build/tests/samplecollectionwriter" "$collection" >/dev/null

# ---- The screen ----
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb

shot() {  # NAME: the whole screen once it has settled
  sleep "${2:-1.5}"
  "$import_cmd" -window root "$out/$1.png"
  echo "  $1.png"
}
start_program() {  # ARGS...: starts the program and waits for its main window
  "$build/orvanta" "$@" >/dev/null 2>&1 &
  program_pid=$!
  xdotool search --sync --onlyvisible --name "^Orvanta" >/dev/null
}
wait_ready() {  # TITLE_PATTERN [SECONDS]: until the main window's title matches
  # The title only names the collection once the splash has gone and the
  # collection has loaded, so a slow catalogue cannot swallow the clicks.
  local limit=$(( ${2:-120} * 10 )) i
  for ((i = 0; i < limit; i++)); do
    if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      sleep 1   # the first paint of the pages
      return 0
    fi
    if ! kill -0 "$program_pid" 2>/dev/null; then
      echo "screenshots.sh: the program ended before its window showing \"$1\" appeared" >&2
      exit 1
    fi
    sleep 0.1
  done
  echo "screenshots.sh: no window titled \"$1\" after ${2:-120} s; the program is not ready (still loading?)" >&2
  exit 1
}
stop_program() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}
window() {  # TITLE: the id of the visible window with that title
  xdotool search --sync --onlyvisible --name "$1" | head -1
}
click() {  # X Y: a left click, then a moment for the window to follow
  xdotool mousemove "$1" "$2" click 1
  sleep 0.8
}
press() {  # KEY: to the window under the pointer (there is no window manager)
  xdotool key "$1"
  sleep 0.8
}

echo "Writing to $out"
rm -f "$out"/*.png

# ---- First start: the title, then the welcome window ----
start_program
shot startup-splash 0.5
welcome=$(window "Welcome to Orvanta")
shot welcome-window 2
click 408 460   # Show advanced options
click 411 381   # Import a CSV collection file
click 825 641   # OK
shot window-import 2
stop_program

# ---- The collection: the pages of the main window ----
# Places below are those of the window at 1280 x 800: the page tabs sit in
# one row at the bottom, 116 apart; the tree's rows are 32 high.
tab() {  # INDEX among the tabs shown
  click $((58 + 116 * $1)) 759
}
start_program "$collection"
wait_ready "^Orvanta \\[$(basename "$collection")\\]"
main=$(window "^Orvanta")
xdotool windowmove "$main" 0 0 windowsize "$main" 1280 800
shot main-window
click 146 126   # United States: opens its series
click 129 158   # Cents
click 300 222   # Lincoln Wheat Cents, a series with entries and prices
shot page-series
click 1138 729  # the side page's Stats tab
shot page-series-stats 3
click 997 729   # back to the Image tab
tab 1
shot page-ebooks
tab 2
shot page-pricing
tab 3
shot page-coins
tab 4
shot page-images
tab 6
shot page-reports
click 130 63    # the report's preview
shot page-reports-preview 4
click 48 63

# ---- Windows ----
click 187 8     # Tools
click 257 29    # Download price lists
shot window-price-lists 2
click 878 476   # Done
tab 3
click 330 724   # Delete on the Coins page
shot message-delete-question
click 570 398   # Yes
click 20 8      # File
shot menu-file 1
click 45 209    # Exit: the collection has changed
shot message-closing-question
click 878 380   # Cancel
click 20 8      # File
click 55 51     # Open...: first the question about the changes
shot message-open-question
click 640 423   # Discard
shot window-open-collection 2
press Escape    # Cancel: the collection stays as it is

# ---- The series' own windows and side pages ----
tab 0
click 997 729   # the side page's Image tab
click 1180 689  # View Size
shot window-view-size
press Escape
click 1066 729  # the side page's Themes tab
shot page-series-themes
click 997 729
xdotool mousemove 300 222 click 3   # the tree's menu on Lincoln Wheat Cents
sleep 0.8
xdotool key Down Return             # Properties
shot window-series-properties
press Escape
click 66 8      # Display
xdotool key Up Return               # Special Series Images, the last item
shot window-special-series-images
click 878 653   # Cancel
click 130 8     # Favorites
xdotool key Up Return               # Theme setup, the last item
shot window-theme-setup
press Escape

# ---- Windows from the File and Tools menus ----
click 20 8      # File
click 75 141    # Add Countries
shot window-countries-explorer 2
press Escape
click 20 8      # File
click 90 185    # User defined Fields
shot window-user-fields
press Escape
click 187 8     # Tools
click 257 118   # Image Repository
shot window-image-repository 2
click 846 604   # Cancel

# ---- The Series page laid out for paper money ----
tab 0
click 222 542   # United States Paper Money: opens its series
click 250 574   # its first series
shot page-series-paper

stop_program
echo "Done."
