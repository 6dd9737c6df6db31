#!/usr/bin/env bash
# The Windows installer under Wine: a silent install (/S) puts the program, its DLLs, a Start menu
# entry and an uninstaller under Program Files; the installed program starts and its window shows;
# the silent uninstall takes away every file it installed. The zip holds the same files.
# Usage: windows_install_test.sh INSTALLER ZIP (with WINEPREFIX set to a prefix of its own)
set -euo pipefail
installer=$1
zip_file=$2
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Kestrune"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrune.lnk"

wine "$installer" /S
wineserver --wait
for file in kestrune.exe kestrune_alarm.dll Qt6Widgets.dll platforms/qwindows.dll uninstall.exe; do
  [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -f "$link" ] || { echo "no Start menu entry"; exit 1; }
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune' /v DisplayName |
  grep -q Kestrune || { echo "not listed among installed programs"; exit 1; }

# The zip: the same files, in a Kestrune folder.
diff <(cd "$folder" && find . -type f ! -name uninstall.exe | sed 's|^\./||' | sort) \
  <(unzip -Z1 "$zip_file" | grep -v '/$' | sed 's|^Kestrune/||' | sort) ||
  { echo "the zip and the installed files differ"; exit 1; }

start_kestrune wine "C:\\Program Files\\Kestrune\\kestrune.exe"
click_at 324 162 # Exit
timeout 10 tail --pid="$APP_PID" -f /dev/null || { echo "still running after Exit"; exit 1; }

wine "$folder/uninstall.exe" /S
wineserver --wait
# The uninstaller copies itself away first and removes the folder from there; give it a moment.
for _ in $(seq 50); do
  [ -e "$folder" ] || break
  sleep 0.2
done
[ ! -e "$folder" ] || { echo "left after uninstalling:"; find "$folder"; exit 1; }
[ ! -e "$link" ] || { echo "Start menu entry left after uninstalling"; exit 1; }
echo "installer under Wine: passed"
