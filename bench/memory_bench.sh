# shellcheck shell=bash
# The footprint figures, sourced by run_arrange_bench.sh once its test desktop
# is up (wd_wine): the private memory of the resident BANCHIRO.EXE with one
# relay, and of that KOVRAN.EXE, against a bare process that shows one
# window (bare_window.exe), alone and with comctl32 loaded, all under the
# same Wine; and the size of the release executables. Prints figures;
# asserts nothing.
#
# Two figures per process, in kB:
#   private  Private_Clean + Private_Dirty: every page no other process maps.
#            A library's code counts here whenever no other process happens
#            to map that page, so it follows the neighbours and the page
#            cache (a bare window measured 3.8 MB on one desktop and 11 MB
#            after a build had emptied the cache). All the processes run side
#            by side, so that the pages they have in common count for none.
#   own      the pages no other process could share: those of anonymous
#            memory and those written in a file mapping. The nearest figure
#            to Windows' private bytes, and steady from run to run.

bench__figures() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { anon = ($5 == "0") }
       /^Private_Clean:/ { private += $2; if (anon) own += $2 }
       /^Private_Dirty:/ { private += $2; own += $2 }
       END { if (NR) print private + 0, own + 0 }' "/proc/$1/smaps" 2>/dev/null
}

# The newest process of that name (Wine names a process after its .exe) whose
# command line holds $2, waited for up to 30 s.
bench__pid_of() {
  local pid tries
  for ((tries = 0; tries < 300; tries++)); do
    for pid in $(pgrep -x -- "$1" | sort -rn); do
      if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q -- "${2:-}"; then
        echo "$pid"
        return
      fi
    done
    sleep 0.1
  done
}

# Gives the processes 3 s to start, then waits until every process's private
# figure has stayed within 1 % for three readings half a second apart (at
# most 20 s more), then prints "pid private own" for each.
bench__settled() {
  local pid tries steady=0 now before=""
  sleep 3
  for ((tries = 0; tries < 40 && steady < 2; tries++)); do
    sleep 0.5
    now=""
    for pid in "$@"; do now+="$(bench__figures "$pid" | cut -d' ' -f1) "; done
    if [[ -n $before ]] && awk -v a="$before" -v b="$now" 'BEGIN {
        n = split(a, x, " "); split(b, y, " ")
        for (i = 1; i <= n; i++) if (y[i] * 100 < x[i] * 99 || y[i] * 100 > x[i] * 101) exit 1
      }'; then
      steady=$((steady + 1))
    else
      steady=0
    fi
    before=$now
  done
  for pid in "$@"; do echo "$pid $(bench__figures "$pid")"; done
}

bench__settings_key='HKCU\Software\VB and VBA Program Settings\BANCHIRO'

# $1: the folder of the Windows build's programs.
bench_memory() {
  local bin=$1 pids=() names=() figures i pid private own bare_private bare_own
  echo "private memory of the Wine process, kB: private (Private_Clean + Private_Dirty) / own" \
    "(anonymous and written pages)"
  # One relay: F1 for the first method, and no splash.
  wd_wine reg add "$bench__settings_key\\FunctionKey" /v 'Fkey(0)' /d 1 /f >/dev/null 2>&1
  wd_wine reg add "$bench__settings_key\\Config" /v OptStat /d 1 /f >/dev/null 2>&1

  wd_wine "$bin/bare_window.exe" >/dev/null 2>&1 &
  pids+=("$(bench__pid_of bare_window.exe)") names+=("bare_window.exe (one window)")
  # Under Wine, comctl32 costs much of a bare process's memory as it loads;
  # the bar's toolbar and every tooltip need it.
  wd_wine "$bin/bare_window.exe" comctl32.dll >/dev/null 2>&1 &
  pids+=("$(bench__pid_of bare_window.exe comctl32)") names+=("bare_window.exe with comctl32")
  wd_wine "$bin/BANCHIRO.EXE" >/dev/null 2>&1 &
  pids+=("$(bench__pid_of BANCHIRO.EXE)") names+=("BANCHIRO.EXE resident, one relay")
  pids+=("$(bench__pid_of KOVRAN.EXE)") names+=("KOVRAN.EXE (the relay)")

  if [[ " ${pids[*]} " == *"  "* || ${pids[0]} == "" ]]; then
    echo "  a process did not start (pids: ${pids[*]})"
  else
    mapfile -t figures < <(bench__settled "${pids[@]}")
    read -r _ bare_private bare_own <<<"${figures[0]}"
    for i in "${!figures[@]}"; do
      read -r _ private own <<<"${figures[$i]}"
      printf '  %-34s %6s / %6s   ratio to the bare window %s / %s\n' "${names[$i]}" \
        "$private" "$own" "$(awk -v a="$private" -v b="$bare_private" 'BEGIN { printf "%.2f", a / b }')" \
        "$(awk -v a="$own" -v b="$bare_own" 'BEGIN { printf "%.2f", a / b }')"
    done
  fi
  kill "${pids[@]}" 2>/dev/null || true
  for pid in "${pids[@]}"; do
    while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  done
  wd_wine reg add "$bench__settings_key\\FunctionKey" /v 'Fkey(0)' /d 0 /f >/dev/null 2>&1
}

# $1: the folder of the Windows build's programs.
bench_sizes() {
  local exe dlls
  echo "release executables"
  for exe in BANCHIRO.EXE KOVRAN.EXE; do
    # Static: nothing but system DLLs is imported.
    dlls=$(x86_64-w64-mingw32-objdump -p "$1/$exe" | awk '/DLL Name/ { print $3 }' | sort -f |
      paste -sd' ')
    printf '  %-13s %4d KB  imports %s\n' "$exe" $(($(stat -c %s "$1/$exe") / 1024)) "$dlls"
  done
}
