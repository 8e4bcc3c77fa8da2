# The keys and values the tweaks own, out of regedit exports (UTF-8, one after the other): every
# line of a section at or below an owned key, and every owned value's line or "absent", each line
# led by its key, sorted. Names compare without regard to case, spellings are kept.
BEGIN {
  split("HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To|" \
        "HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To|" \
        "HKEY_CLASSES_ROOT\\*\\shell\\runas|HKEY_CLASSES_ROOT\\Directory\\shell\\runas|" \
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer|" \
        "HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here|" \
        "HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad|" \
        "HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content", keys, "|")
  split("HKEY_CURRENT_USER\\Control Panel\\Desktop=\"AutoEndTasks\"|" \
        "HKEY_CURRENT_USER\\Control Panel\\Desktop=\"HungAppTimeout\"|" \
        "HKEY_CURRENT_USER\\Control Panel\\Desktop=\"WaitToKillAppTimeout\"|" \
        "HKEY_CURRENT_USER\\Control Panel\\Desktop=\"LowLevelHooksTimeout\"|" \
        "HKEY_CURRENT_USER\\Control Panel\\Desktop=\"MenuShowDelay\"|" \
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control=\"WaitToKillServiceTimeout\"|" \
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer=\"NoLowDiskSpaceChecks\"|" \
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer=\"LinkResolveIgnoreLinkInfo\"|" \
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer=\"NoResolveSearch\"|" \
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer=\"NoResolveTrack\"|" \
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer=\"NoInternetOpenWith\"|" \
        "HKEY_CURRENT_USER\\Control Panel\\Mouse=\"MouseHoverTime\"|" \
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System=\"EnableLUA\"|" \
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System=\"ConsentPromptBehaviorAdmin\"|" \
        "HKEY_CLASSES_ROOT\\Directory\\shell=@", values, "|")
  for (i in keys) keys[i] = tolower(keys[i])
  for (i in values) {
    split(values[i], part, "=")
    value_key[i] = tolower(part[1])
    value_name[i] = tolower(part[2])
  }
}
{ sub(/\r$/, "") }
# A value's data may go on over lines that end in a backslash.
continued { line = line "\n" $0; continued = /\\$/; if (!continued) emit(); next }
/^\[/ {
  section = substr($0, 2, length($0) - 2)
  lower = tolower(section)
  owned = 0
  for (i in keys) {
    if (lower == keys[i] || index(lower, keys[i] "\\") == 1) owned = 1
  }
  if (owned) print section "\t[" section "]"
  next
}
/^$/ { next }
{ line = $0; continued = /\\$/; if (!continued) emit() }
function emit(   i, name) {
  if (owned) print section "\t" line
  name = tolower(line)
  sub(/=.*/, "", name)
  for (i in values) {
    if (tolower(section) == value_key[i] && name == value_name[i]) {
      print section "\t" line
      seen[i] = 1
    }
  }
}
END {
  for (i in values) if (!seen[i]) print value_key[i] "\t" value_name[i] " absent"
}
