#!/bin/sh
# Starts an X server with two monitors, which Wine reports as two monitors
# (EnumDisplayMonitors, GetSystemMetrics(SM_*VIRTUALSCREEN)), for the tests of
# the composed wallpaper. Xvfb cannot do this: its Xinerama heads all sit at
# 0,0. Xorg's dummy driver has RandR outputs DUMMY0..DUMMY15 that xrandr can
# place.
#
#   two-monitor-x.sh DISPLAY_NUMBER [right|left|below|above] [SECOND_MODE]
#
# DUMMY0 is the primary monitor, 1024x768; the second one (800x600 by
# default, 768x1024 for a portrait one) goes to the given side of it: "left"
# and "above" give it negative coordinates in Windows' terms. Prints the Xorg
# process id; end it with kill PID. Needs Debian's xserver-xorg-core,
# xserver-xorg-video-dummy and x11-xserver-utils, and root (Xorg -config).
# Wine reads the monitors through RandR.
set -eu
n=$1
side=${2:-right}
mode2=${3:-800x600}
case "$side" in
    right | left) side="$side-of" ;;
    below | above) ;;
    *) echo "side: right, left, below or above" >&2; exit 2 ;;
esac
dir=$(mktemp -d /tmp/two-monitor-x.XXXX)
cat > "$dir/xorg.conf" <<CONF
Section "Device"
  Identifier "d0"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "m0"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
  Modeline "800x600" 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync
  Modeline "768x1024" 65.00 768 816 896 1024 1024 1027 1037 1063 -hsync +vsync
EndSection
Section "Screen"
  Identifier "s0"
  Device "d0"
  Monitor "m0"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
    Modes "1024x768"
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
EndSection
CONF
Xorg ":$n" -config "$dir/xorg.conf" -noreset -nolisten tcp -logfile "$dir/xorg.log" >/dev/null 2>&1 &
pid=$!
i=0
until DISPLAY=":$n" xrandr >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 50 ] || { kill "$pid" 2>/dev/null; echo "Xorg did not start; see $dir/xorg.log" >&2; exit 1; }
    sleep 0.2
done
# A server that cannot be set up is ended, not left behind.
if ! DISPLAY=":$n" xrandr --addmode DUMMY1 "$mode2" ||
    ! DISPLAY=":$n" xrandr --output DUMMY0 --mode 1024x768 --primary --output DUMMY1 --mode "$mode2" "--$side" DUMMY0
then
    kill "$pid" 2>/dev/null
    echo "the monitors could not be placed; see $dir/xorg.log" >&2
    exit 1
fi
# A full query makes the server probe its outputs again; Wine reads the
# current state without probing.
DISPLAY=":$n" xrandr >/dev/null
echo "$pid"
