# shellcheck shell=bash
# A throw-away Wine 8 test desktop: its own Xvfb, a fresh prefix, one shared
# 1024x768 virtual desktop with a taskbar, Japanese fonts, and a keeper
# process that holds the wineserver and the desktop up between test steps.
#
#   wd_start WORKDIR DESK_HELPER_EXE [use_existing_display]
#   wd_wine ARGS...           run wine in the test desktop
#   wd_screenshot FILE.png    the whole X screen, as a person would see it
#   wd_stop                   stop what wd_start started (safe twice, and in traps)
#
# After wd_start, processes see the work area (0,0)-(1024,738).
# Everything here polls a condition under a time limit, and signals only the
# processes it started itself, by PID.

# Sourcing this file again must not forget a desktop that is running.
if [[ -z ${WD__LOADED:-} ]]; then
  WD__LOADED=1
  WD_WORKDIR=""        # absolute WORKDIR given to wd_start
  WD_PREFIX=""         # WORKDIR/prefix
  WD_DISPLAY=""        # ":N"
  WD_XVFB_PID=""       # set only when wd_start started Xvfb itself
  WD_XVFB_START=""     # its start time, so a reused PID is never signalled
  WD_KEEPER_PID=""
  WD_KEEPER_START=""
  WD_SERVER_UP=""      # a wineserver of WD_PREFIX may be running
  WD_ENV=()            # "env VAR=..." prefix that every wine command runs under
fi

WD_WIDTH=1024
WD_HEIGHT=768
WD_WORKAREA="0 0 1024 738"
WD_DESKTOP_TITLE="Default - Wine desktop"

wd__say() { echo "wine-desktop: $*"; }
wd__err() { echo "wine-desktop: error: $*" >&2; }

# Prints the last lines of a log file to stderr, for an error report.
wd__show_log() {
  [[ -s $1 ]] || return 0
  echo "--- last lines of $1:" >&2
  tail -n 20 "$1" >&2
}

# Start time (clock ticks since boot) of a live, non-zombie process; fails when
# there is none. A PID with the same start time is the same process, even
# after an exec (the wine launcher script execs the loader).
wd__start_time() {
  local stat rest state
  local -a f
  [[ -n $1 ]] && read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
  rest=${stat##*) }             # the name may hold spaces; fields follow ")"
  read -r -a f <<<"$rest"
  state=${f[0]}
  [[ $state != Z && $state != X ]] || return 1
  echo "${f[19]}"               # field 22 of stat: starttime
}

# True while PID $1 is still the process that started at $2.
wd__is_ours() {
  local now
  now=$(wd__start_time "$1") || return 1
  [[ $now == "$2" ]]
}

# Polls "$@" every 0.1 s until it succeeds or $1 seconds have passed.
wd__wait_for() {
  local limit=$1 deadline
  shift
  deadline=$((SECONDS + limit))
  while ! "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

wd__not_ours() { ! wd__is_ours "$1" "$2"; }

# Starts "$@" in the background, output to log $1, and prints its PID. It runs
# from a subshell, so it is not a child of the caller's shell: a test script's
# bare "wait" for its own jobs must not block on the X server or the keeper.
wd__spawn() {
  local log=$1
  shift
  ("$@" </dev/null >>"$log" 2>&1 & echo $!)
}

# Sends SIGTERM to our process $1 (started at $2), then SIGKILL after $3
# seconds. A zombie counts as gone: its parent is init, which reaps it.
wd__stop_pid() {
  local pid=$1 start=$2 limit=$3
  [[ -n $pid ]] || return 0
  if wd__is_ours "$pid" "$start"; then
    kill -TERM "$pid" 2>/dev/null || true
    if ! wd__wait_for "$limit" wd__not_ours "$pid" "$start"; then
      if wd__is_ours "$pid" "$start"; then kill -KILL "$pid" 2>/dev/null || true; fi
      wd__wait_for 5 wd__not_ours "$pid" "$start" ||
        wd__err "process $pid did not exit"
    fi
  fi
}

# Runs wine with exactly the test desktop's environment, whatever the
# caller's shell has changed since wd_start.
wd_wine() {
  if ((${#WD_ENV[@]} == 0)); then
    wd__err "wd_wine: no test desktop (call wd_start first)"
    return 1
  fi
  "${WD_ENV[@]}" wine "$@"
}

wd_screenshot() {
  if [[ $# -ne 1 || -z $WD_DISPLAY ]]; then
    wd__err "usage: wd_screenshot FILE.png (after wd_start)"
    return 1
  fi
  DISPLAY="$WD_DISPLAY" import -window root "$1"
}

wd__display_answers() { xdpyinfo -display "$1" >/dev/null 2>&1; }

# The first display number from 90 up with neither a socket nor a lock file.
wd__free_display() {
  local n
  for ((n = $1; n < 400; n++)); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

# Starts Xvfb on a free display. Two runs can pick the same number at once;
# the loser's Xvfb exits at once, and it moves on to the next number.
wd__start_xvfb() {
  local n=90 tries pid start log=$WD_WORKDIR/xvfb.log
  for ((tries = 0; tries < 10; tries++)); do
    n=$(wd__free_display "$n") || { wd__err "no free X display number"; return 1; }
    : >"$log"
    pid=$(wd__spawn "$log" Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp) || return 1
    start=$(wd__start_time "$pid") || start=""
    if [[ -n $start ]] && wd__wait_for 15 wd__xvfb_ready "$pid" "$start" ":$n" &&
      wd__is_ours "$pid" "$start"; then
      WD_XVFB_PID=$pid
      WD_XVFB_START=$start
      WD_DISPLAY=":$n"
      return 0
    fi
    # Lost the race or failed to start: clean up and try the next number.
    wd__stop_pid "$pid" "$start" 2
    n=$((n + 1))
  done
  wd__err "Xvfb did not start"
  wd__show_log "$log"
  return 1
}

# Ready when our Xvfb answers; also "ready" (to stop waiting) once it died.
wd__xvfb_ready() {
  wd__is_ours "$1" "$2" || return 0
  wd__display_answers "$3"
}

wd__desktop_window_exists() {
  DISPLAY="$WD_DISPLAY" xdotool search --name "^${WD_DESKTOP_TITLE}\$" >/dev/null 2>&1
}

# Keeper gone means the desktop will never appear: stop waiting then too.
wd__desktop_or_keeper_gone() {
  wd__is_ours "$WD_KEEPER_PID" "$WD_KEEPER_START" || return 0
  wd__desktop_window_exists
}

# Writes the registry settings as a UTF-16LE .reg file: regedit reads a
# REGEDIT4 file in the ANSI code page of the locale, which under C.UTF-8 is
# 1252 and mangles the Japanese face names; the Unicode format does not
# depend on the locale.
#
# The IPA fonts are metric-compatible with the Windows Japanese faces, so
# text takes the room it takes on Windows (taller faces would cut two-line
# labels in half): the Gothic and Mincho faces map to their IPA twins, and
# the UI faces to IPAPGothic, which also has the Latin glyphs. Given a
# second argument, the fonts alone: no virtual desktop.
wd__write_reg() {
  local out=$1 no_desktop=${2:-} face
  local -a faces=(
    "ＭＳ Ｐゴシック=IPAPGothic" "MS PGothic=IPAPGothic"
    "ＭＳ ゴシック=IPAGothic" "MS Gothic=IPAGothic"
    "ＭＳ Ｐ明朝=IPAPMincho" "MS PMincho=IPAPMincho"
    "ＭＳ 明朝=IPAMincho" "MS Mincho=IPAMincho"
  )
  for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Microsoft Sans Serif" \
    "Segoe UI" "System" "MS UI Gothic" "Meiryo"; do
    faces+=("$face=IPAPGothic")
  done
  {
    printf '\xef\xbb\xbf'   # BOM, kept by iconv into UTF-16LE
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    if [[ -z $no_desktop ]]; then
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n'
      printf '"Desktop"="Default"\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n'
      printf '"Default"="%dx%d"\r\n\r\n' "$WD_WIDTH" "$WD_HEIGHT"
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops\\Default]\r\n'
      printf '"EnableShell"=dword:00000001\r\n\r\n'
    fi
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "${faces[@]}"; do
      printf '"%s"="%s"\r\n' "${face%%=*}" "${face#*=}"
    done
    printf '\r\n'
  } | iconv -f UTF-8 -t UTF-16LE >"$out"
}

# Copies Wine's own fonts into the prefix: without Marlett the caption
# buttons draw as letters. Left out are the files whose family is replaced
# above (Tahoma, MS Sans Serif, System): a font that is installed wins over
# its replacement, and these have no Japanese glyphs, so captions, taskbar
# buttons and old-style dialogs would show boxes for Japanese text.
wd__copy_wine_fonts() {
  local dest=$1 src name
  local -a files=()
  for src in /usr/share/wine/fonts/*; do
    name=${src##*/}
    case ${name,,} in
      tahoma*.ttf | ms_sans_serif.ttf | system.ttf | sse*.fon | *vgas*.fon) ;;
      *) files+=("$src") ;;
    esac
  done
  if ((${#files[@]} == 0)); then
    wd__err "no fonts in /usr/share/wine/fonts (is fonts-wine installed?)"
    return 1
  fi
  if ! mkdir -p "$dest" || ! cp -L -- "${files[@]}" "$dest/"; then
    wd__err "copying Wine's fonts to $dest failed"
    return 1
  fi
}

wd__workarea_is_right() {
  timeout -k 5 30 "${WD_ENV[@]}" wine "$1" workarea </dev/null >"$2" 2>/dev/null &&
    [[ $(tr -d '\r' <"$2") == "$WD_WORKAREA" ]]
}

wd__start_inner() {
  local helper_unix=$1 use_existing=$2 log=$WD_WORKDIR/wine.log out

  mkdir -p "$WD_WORKDIR/xdg" || return 1
  : >"$log"

  if [[ $use_existing == 1 ]]; then
    if [[ -z ${DISPLAY:-} ]] || ! wd__display_answers "$DISPLAY"; then
      wd__err "use_existing_display given, but DISPLAY='${DISPLAY:-}' does not answer"
      return 1
    fi
    WD_DISPLAY=$DISPLAY
    wd__say "using existing display $WD_DISPLAY"
  else
    wd__start_xvfb || return 1
    wd__say "Xvfb $WD_DISPLAY ready (pid $WD_XVFB_PID)"
  fi

  # XDG_DATA_HOME: Wine's recycle bin is $XDG_DATA_HOME/Trash, and a test
  # must not empty the real user's. The DLL overrides keep Wine from asking
  # to install Mono and Gecko and from adding entries to the host's menus.
  export WINEPREFIX="$WD_PREFIX" WINEARCH=win64 WINEDEBUG=-all DISPLAY="$WD_DISPLAY"
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export XDG_DATA_HOME="$WD_WORKDIR/xdg"
  WD_ENV=(env WINEPREFIX="$WINEPREFIX" WINEARCH="$WINEARCH" WINEDEBUG="$WINEDEBUG"
    DISPLAY="$DISPLAY" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" XDG_DATA_HOME="$XDG_DATA_HOME")

  WD_SERVER_UP=1
  if ! timeout -k 10 180 "${WD_ENV[@]}" wineboot -i >>"$log" 2>&1; then
    wd__err "wineboot -i failed"
    wd__show_log "$log"
    return 1
  fi

  # Registry and fonts go in while wineboot's server is still up; the wait
  # below then lets every process of the prefix exit, so the desktop that the
  # keeper brings up next is created with these settings.
  wd__write_reg "$WD_WORKDIR/desktop.reg" || return 1
  # Z: is the root of the Unix file system in every new prefix.
  local reg_win="Z:${WD_WORKDIR//\//\\}\\desktop.reg"
  if ! timeout -k 10 60 "${WD_ENV[@]}" wine regedit /S "$reg_win" >>"$log" 2>&1; then
    wd__err "regedit import failed"
    wd__show_log "$log"
    return 1
  fi
  wd__copy_wine_fonts "$WD_PREFIX/drive_c/windows/Fonts" || return 1
  if ! timeout -k 5 90 "${WD_ENV[@]}" wineserver -w >>"$log" 2>&1; then
    wd__err "wineserver did not exit after wineboot"
    return 1
  fi
  WD_SERVER_UP=""
  # The server writes the registry files only when it exits.
  if ! grep -q 'EnableShell' "$WD_PREFIX/user.reg" 2>/dev/null; then
    wd__err "the desktop settings did not reach $WD_PREFIX/user.reg"
    wd__show_log "$log"
    return 1
  fi
  wd__say "prefix ready ($WD_PREFIX)"

  WD_SERVER_UP=1
  WD_KEEPER_PID=$(wd__spawn "$log" "${WD_ENV[@]}" wine "$helper_unix" keeper) || return 1
  WD_KEEPER_START=$(wd__start_time "$WD_KEEPER_PID") || WD_KEEPER_START=""
  if [[ -z $WD_KEEPER_START ]] || ! wd__wait_for 60 wd__desktop_or_keeper_gone ||
    ! wd__is_ours "$WD_KEEPER_PID" "$WD_KEEPER_START"; then
    wd__err "the keeper exited or the window '$WD_DESKTOP_TITLE' did not appear"
    wd__show_log "$log"
    return 1
  fi
  wd__say "virtual desktop up (keeper pid $WD_KEEPER_PID)"

  # The keeper moves the taskbar as soon as it appears; a process started
  # after that reads the test's work area.
  out=$WD_WORKDIR/workarea.txt   # kept, so that a failure can be looked at
  if ! wd__wait_for 60 wd__workarea_is_right "$helper_unix" "$out"; then
    wd__err "work area is '$(tr -d '\r' <"$out")', expected '$WD_WORKAREA' (see $out)"
    wd__show_log "$log"
    return 1
  fi
  local got
  got=$(tr -d '\r' <"$out")
  wd__say "work area $got"
}

wd_start() {
  if [[ $# -lt 2 || $# -gt 3 || -z $1 || -z $2 ]]; then
    wd__err "usage: wd_start WORKDIR DESK_HELPER_EXE [use_existing_display]"
    return 2
  fi
  if [[ -n $WD_PREFIX ]]; then
    wd__err "wd_start: a test desktop is already running ($WD_PREFIX); wd_stop first"
    return 1
  fi
  local use_existing=0
  case ${3:-} in
    "" | 0 | no | false) ;;
    1 | yes | true | use_existing_display) use_existing=1 ;;
    *) wd__err "wd_start: use_existing_display must be 1/yes/true or 0/no/false"; return 2 ;;
  esac
  if [[ ! -f $2 ]]; then
    wd__err "wd_start: no such file: $2"
    return 1
  fi

  local workdir helper
  workdir=$(realpath -m -- "$1") && helper=$(realpath -- "$2") || return 1
  if [[ $workdir == / ]]; then
    wd__err "wd_start: refusing WORKDIR /"
    return 1
  fi

  WD_WORKDIR=$workdir
  WD_PREFIX=$workdir/prefix
  # A prefix left by an interrupted run may still have its server up; stop
  # that server (it belongs to this WORKDIR alone) before deleting its files.
  # (wineserver -k starts no server when none is running.)
  if [[ -d $WD_PREFIX ]]; then
    WINEPREFIX="$WD_PREFIX" timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$WD_PREFIX" timeout -k 5 20 wineserver -w >/dev/null 2>&1 || true
  fi
  if ! rm -rf -- "${WD_PREFIX:?}" "${WD_WORKDIR:?}/xdg"; then
    wd__err "wd_start: cannot remove the old $WD_PREFIX"
    WD_PREFIX=""
    return 1
  fi

  local rc=0
  wd__start_inner "$helper" "$use_existing" || rc=$?
  if ((rc != 0)); then
    wd_stop
    return "$rc"
  fi
}

wd_stop() {
  # Each step clears what it stopped, so a second call, or one from an EXIT
  # trap after a failed wd_start, does only what is left.
  if [[ -n $WD_KEEPER_PID ]]; then
    wd__stop_pid "$WD_KEEPER_PID" "$WD_KEEPER_START" 5
    WD_KEEPER_PID=""
    WD_KEEPER_START=""
  fi
  if [[ -n $WD_SERVER_UP && -n $WD_PREFIX ]]; then
    # -k ends every process of this prefix and the server with them; -w
    # then returns once the server has gone.
    WINEPREFIX="$WD_PREFIX" timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$WD_PREFIX" timeout -k 5 20 wineserver -w >/dev/null 2>&1 || true
    WD_SERVER_UP=""
  fi
  if [[ -n $WD_XVFB_PID ]]; then
    wd__stop_pid "$WD_XVFB_PID" "$WD_XVFB_START" 10
    WD_XVFB_PID=""
    WD_XVFB_START=""
  fi
  WD_PREFIX=""
  WD_DISPLAY=""
  WD_ENV=()
  return 0
}
