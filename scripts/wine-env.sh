# Sourced by the Windows checks: a quiet Wine in the Windows build's own
# prefix (made by its first run, during the build), with no audio driver and
# no winemenubuilder (it would copy Start-menu entries into this machine's own
# desktop menus), and no Wine process left behind when the calling script ends.
export WINEPREFIX=${WINEPREFIX:-$WATERFALL_WINDOWS_BUILD_DIR/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,winemenubuilder.exe=d"
end_wine() { wineserver -k 2>/dev/null || true; }
trap end_wine EXIT
# One server for a series of runs: a program started while the previous
# run's server is shutting down loses its connection ("recvmsg: Connection
# reset"), so wait for any such server to go first. (`wineserver -w` then
# waits for ever: a check that waits for Wine to finish does without it.)
keep_one_wineserver() {
  wineserver -w
  wineserver -p
}
