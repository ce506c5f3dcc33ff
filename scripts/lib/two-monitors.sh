# shellcheck shell=bash
# A throw-away Wine 8 test desktop with two monitors side by side: an X.org
# server of its own with the dummy driver and two outputs, the primary
# 1024x768 at (0,0) and a second 800x600 at (1024,0); a fresh prefix made
# after the outputs are set (a prefix made before keeps one monitor), with
# no virtual desktop (Wine's shows one monitor only), so no taskbar either:
# each monitor's work area is the whole monitor. Needs wine-desktop.sh.
#
#   tm_start WORKDIR DESK_HELPER_EXE   (as root, for the X server)
#   tm_stop                            stop what tm_start started (safe twice)
#
# After tm_start, TM_ENV holds the VAR=VALUE words that run wine on it (to
# follow the test desktop's, which they override) and TM_DISPLAY its display.

if [[ -z ${TM__LOADED:-} ]]; then
  TM__LOADED=1
  TM_DISPLAY=""
  TM_ENV=()
  TM_PREFIX=""
  TM_XORG_PID=""
  TM_XORG_START=""
  TM_KEEPER_PID=""
  TM_KEEPER_START=""
fi

tm__conf() {
  cat <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2048 1024
  EndSubSection
EndSection
CONF
}

# Starts the X server on a free display with both outputs placed.
tm__start_xorg() {
  local dir=$1 n=190 tries pid start
  tm__conf >"$dir/xorg.conf" || return 1
  for ((tries = 0; tries < 10; tries++)); do
    n=$(wd__free_display "$n") || { wd__err "no free X display number"; return 1; }
    pid=$(wd__spawn "$dir/xorg.out" Xorg ":$n" -config "$dir/xorg.conf" -noreset -nolisten tcp \
      -logfile "$dir/xorg.log") || return 1
    start=$(wd__start_time "$pid") || start=""
    if [[ -n $start ]] && wd__wait_for 20 wd__xvfb_ready "$pid" "$start" ":$n" &&
      wd__is_ours "$pid" "$start"; then
      TM_XORG_PID=$pid TM_XORG_START=$start TM_DISPLAY=":$n"
      DISPLAY=$TM_DISPLAY xrandr --addmode DUMMY1 800x600 &&
        DISPLAY=$TM_DISPLAY xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 \
          --output DUMMY1 --mode 800x600 --pos 1024x0 &&
        [[ $(DISPLAY=$TM_DISPLAY xrandr --listmonitors | head -n 1) == "Monitors: 2" ]] &&
        return 0
      wd__err "xrandr could not set two outputs"
      return 1
    fi
    wd__stop_pid "$pid" "$start" 2
    n=$((n + 1))
  done
  wd__err "Xorg did not start (see $dir/xorg.log)"
  return 1
}

tm__primary_is_whole() {
  timeout -k 5 30 env "${TM_ENV[@]}" wine "$1" workarea </dev/null 2>/dev/null |
    tr -d '\r' | grep -qx '0 0 1024 768'
}

tm_start() {
  local dir helper log
  dir=$(realpath -m -- "$1") && helper=$(realpath -- "$2") || return 1
  log=$dir/wine.log
  TM_PREFIX=$dir/prefix
  if [[ -d $TM_PREFIX ]]; then
    WINEPREFIX="$TM_PREFIX" timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
  fi
  rm -rf -- "${TM_PREFIX:?}" "$dir/xdg" && mkdir -p "$dir/xdg" || return 1
  : >"$log"
  tm__start_xorg "$dir" || return 1
  TM_ENV=(WINEPREFIX="$TM_PREFIX" WINEARCH=win64 WINEDEBUG=-all DISPLAY="$TM_DISPLAY"
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" XDG_DATA_HOME="$dir/xdg")
  wd__write_reg "$dir/fonts.reg" no_desktop || return 1
  if ! timeout -k 10 180 env "${TM_ENV[@]}" wineboot -i >>"$log" 2>&1 ||
    ! timeout -k 10 60 env "${TM_ENV[@]}" wine regedit /S "Z:${dir//\//\\}\\fonts.reg" >>"$log" 2>&1 ||
    ! wd__copy_wine_fonts "$TM_PREFIX/drive_c/windows/Fonts" ||
    ! timeout -k 5 90 env "${TM_ENV[@]}" wineserver -w >>"$log" 2>&1; then
    wd__err "the two-monitor prefix could not be made"
    wd__show_log "$log"
    return 1
  fi
  TM_KEEPER_PID=$(wd__spawn "$log" env "${TM_ENV[@]}" wine "$helper" keeper) || return 1
  TM_KEEPER_START=$(wd__start_time "$TM_KEEPER_PID") || TM_KEEPER_START=""
  if ! wd__wait_for 60 tm__primary_is_whole "$helper"; then
    wd__err "the two-monitor desktop's primary work area is not 0 0 1024 768"
    wd__show_log "$log"
    return 1
  fi
  wd__say "two monitors on $TM_DISPLAY (prefix $TM_PREFIX)"
}

tm_stop() {
  if [[ -n $TM_KEEPER_PID ]]; then
    wd__stop_pid "$TM_KEEPER_PID" "$TM_KEEPER_START" 5
    TM_KEEPER_PID="" TM_KEEPER_START=""
  fi
  if [[ -n $TM_PREFIX ]]; then
    WINEPREFIX="$TM_PREFIX" timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$TM_PREFIX" timeout -k 5 20 wineserver -w >/dev/null 2>&1 || true
    TM_PREFIX=""
  fi
  if [[ -n $TM_XORG_PID ]]; then
    wd__stop_pid "$TM_XORG_PID" "$TM_XORG_START" 10
    TM_XORG_PID="" TM_XORG_START=""
  fi
  TM_DISPLAY="" TM_ENV=()
  return 0
}
