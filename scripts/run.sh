#!/usr/bin/env bash
# Installs what is missing, builds, then starts a demo: a simulated fleet of eight
# presenter screens on loopback ports and the console on a demo profile of its own
# (the operator's own store is not touched). Closing the console stops the fleet.
#
#   ORVANE_DEMO_DIR   demo profile folder (default ~/.local/share/orvane-demo)
#   ORVANE_DEMO_PORT  first port of the fleet (default 14769; eight ports from there)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${ORVANE_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"

demo_dir="${ORVANE_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/orvane-demo}"
first_port="${ORVANE_DEMO_PORT:-14769}"
share="$demo_dir/share"

# A shared media folder with sample names, as the presenters' /SharePath would hold.
mkdir -p "$share/Clips" "$share/Menus" "$share/Signage" "$share/Playlists"
for f in Clips/intro.mp4 Clips/summer_promo.mp4 Clips/product_launch.mkv \
         Menus/monday.jpg Menus/tuesday.jpg Menus/specials.png \
         Signage/welcome.png Signage/evacuation_plan.pdf Signage/wayfinding.mp4 \
         background_loop.mp4 jingle.mp3; do
    [ -e "$share/$f" ] || : >"$share/$f"
done
[ -e "$share/Playlists/lobby.m3u" ] ||
    printf 'Clips\\intro.mp4\r\nClips\\summer_promo.mp4\r\n' >"$share/Playlists/lobby.m3u"

# Passwords and the video wall's two monitors match the console's demo store.
# Some screens already show media when the console connects: three play (moving on
# to their next entry every minute), one is paused, one is stopped, the rest have none.
"$build_dir/tools/presenter-sim/orvane-presenter-sim" \
    --port "$first_port" --count 8 --share "$share" \
    --password-for 1=demo --password-for 4=room2 --password-for 7=store \
    --monitors '6=0,0,1920,1080|1920,0,1920,1080' \
    --start-for '0=playing:Playlists\lobby.m3u' \
    --start-for 1=playing \
    --start-for '2=stopped:Menus\monday.jpg|Menus\tuesday.jpg|Menus\specials.png' \
    --start-for '3=paused:Clips\summer_promo.mp4|Clips\product_launch.mkv|jingle.mp3' \
    --start-for '6=playing:Signage\welcome.png|Signage\wayfinding.mp4|background_loop.mp4' &
sim_pid=$!
stop_fleet() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
}
trap stop_fleet EXIT INT TERM

# The console seeds an empty demo store with the fleet on first use.
ORVANE_PROFILE_DIR="$demo_dir" ORVANE_DEMO_PORT="$first_port" "$build_dir/src/orvane" "$@"
