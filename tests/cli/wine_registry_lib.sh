# Shared by the shell tests on Wine's real registry: Wine through the prefix, paths for Windows,
# a state of the tweaks' keys prepared, and what the tweaks own as Wine's regedit exports it.
# Needs wine_run, prefix and work set.

win() { "$wine_run" "$prefix" "$@"; }
windows_path() { win winepath -w "$1" 2>/dev/null; }
prepared_path=$(windows_path "$work/prepared.reg")

# regedit ARGS...: Wine's regedit, started again when Wine itself failed to start it (now and then
# it says "ShellExecuteEx failed: Internal error." and does nothing, with status 0); whatever
# regedit says of its own is passed on.
regedit() {
  local attempt status
  for attempt in 1 2 3; do
    status=0
    win regedit "$@" >"$work/regedit.err" 2>&1 || status=$?
    grep -q 'ShellExecuteEx failed' "$work/regedit.err" || break
  done
  cat "$work/regedit.err" >&2
  return $status
}

# prepare RESET FIXTURE: takes every tweak's key out (RESET a Windows path), then imports the
# fixture (a path here) but for the system's identity, its "Windows NT\CurrentVersion" section:
# the prefix is shared with the tests that identify the system, and the tweaks own nothing there.
prepare() {
  awk '/^\[/ { skip = index($0, "\\Windows NT\\CurrentVersion]") > 0 } !skip' "$2" \
    >"$work/prepared.reg" || return 1
  regedit /S "$1" && regedit /S "$prepared_path"
}

# The keys below which everything the tweaks own lies, exported one by one.
owned_parents=('HKEY_CLASSES_ROOT\*' 'HKEY_CLASSES_ROOT\Directory' 'HKEY_CLASSES_ROOT\AllFilesystemObjects'
               'HKEY_CURRENT_USER' 'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion'
               'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control')

# owned_state OUT: what the tweaks own, line by line; the whole exports in OUT.exports.
owned_state() {
  local out=$1 key
  : >"$out.exports"
  for key in "${owned_parents[@]}"; do
    rm -f "$work/export.reg"
    regedit /E "$export_path" "$key" || true
    [ -f "$work/export.reg" ] && iconv -f UTF-16LE -t UTF-8 "$work/export.reg" >>"$out.exports"
  done
  awk -f "$(dirname "${BASH_SOURCE[0]}")/owned_state.awk" "$out.exports" | LC_ALL=C sort >"$out"
}
