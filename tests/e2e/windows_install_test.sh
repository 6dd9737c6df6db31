#!/usr/bin/env bash
# The Windows installer under Wine: a silent install (/S) puts the program, its DLLs, a Start menu
# entry and an uninstaller under Program Files; the installed program starts and its window shows;
# the silent uninstall takes away every file it installed. The zip holds the same files. The MSI,
# with msiexec: a quiet install puts the same files and a Start menu entry in place, the newer
# version's MSI installed over it replaces it, the older one then refuses to install over that,
# and a quiet uninstall leaves nothing.
# Usage: windows_install_test.sh INSTALLER ZIP MSI NEWER_MSI (with WINEPREFIX set to a prefix of
# its own; NEWER_MSI the same build with a higher version)
set -euo pipefail
installer=$1
zip_file=$2
msi=$3
newer=$4
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Kestrune"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrune.lnk"

# Where 32-bit Wine is installed, `wine reg` runs as a 32-bit program and reads the registry's
# 32-bit view; the installers write the 64-bit one on 64-bit Windows.
view=()
[ "${WINEARCH:-win64}" != win64 ] || view=(/reg:64)
wine "$installer" /S
wineserver --wait
for file in kestrune.exe kestrune_alarm.dll Qt5Widgets.dll platforms/qwindows.dll uninstall.exe; do
  [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -f "$link" ] || { echo "no Start menu entry"; exit 1; }
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune' /v DisplayName \
  "${view[@]}" |
  grep Kestrune >/dev/null || { echo "not listed among installed programs"; exit 1; }

# The zip: the same files, in a Kestrune folder.
diff <(cd "$folder" && find . -type f ! -name uninstall.exe | sed 's|^\./||' | sort) \
  <(unzip -Z1 "$zip_file" | grep -v '/$' | sed 's|^Kestrune/||' | sort) ||
  { echo "the zip and the installed files differ"; exit 1; }

start_kestrune wine "C:\\Program Files\\Kestrune\\kestrune.exe"
click_at 324 162 # Exit
ended_within 5 Exit

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

# The MSI. Wine's msiexec puts a per-machine package's Start menu entry in the user's Start menu
# (Windows puts it in everyone's, ALLUSERS being 1), so either place will do here.
grep -q $'^ALLUSERS\t1' <(msiinfo export "$msi" Property) || { echo "the MSI is not per machine"; exit 1; }
windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }
user_link="$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kestrune.lnk"
installed_version() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "${view[@]}" \
    2>/dev/null |
    awk '/DisplayName.*Kestrune/ {found = 1} found && /DisplayVersion/ {print $3; found = 0}' | tr -d '\r'
}
wine msiexec /i "$(windows_path "$msi")" /qn
wineserver --wait
diff <(cd "$folder" && find . -type f | sed 's|^\./||' | sort) \
  <(unzip -Z1 "$zip_file" | grep -v '/$' | sed 's|^Kestrune/||' | sort) ||
  { echo "the MSI installed other files than the zip holds"; exit 1; }
[ -f "$link" ] || [ -f "$user_link" ] || { echo "the MSI made no Start menu entry"; exit 1; }
echo "MSI installed: version $(installed_version)"

# The newer version, then the older one again: a major upgrade replaces the older; the older
# refuses to go over the newer.
newer_version=$(msiinfo export "$newer" Property | awk -F'\t' '$1 == "ProductVersion" {print $2}' | tr -d '\r')
wine msiexec /i "$(windows_path "$newer")" /qn
wineserver --wait
[ "$(installed_version)" = "$newer_version" ] ||
  { echo "after the newer MSI, installed: $(installed_version | tr '\n' ' ')"; exit 1; }
[ -f "$folder/kestrune.exe" ] || { echo "the newer MSI left no program"; exit 1; }
echo "newer MSI replaced it: version $(installed_version)"
status=0
wine msiexec /i "$(windows_path "$msi")" /qn || status=$?
wineserver --wait
[ "$status" -ne 0 ] || { echo "the older MSI reported success over the newer one"; exit 1; }
[ "$(installed_version)" = "$newer_version" ] && [ -f "$folder/kestrune.exe" ] ||
  { echo "after the older MSI, installed: $(installed_version | tr '\n' ' ')"; exit 1; }
echo "older MSI refused (msiexec status $status): version $(installed_version) stays"

wine msiexec /x "$(windows_path "$newer")" /qn
wineserver --wait
[ ! -e "$folder" ] || { echo "left after uninstalling the MSI:"; find "$folder"; exit 1; }
[ ! -e "$link" ] && [ ! -e "$user_link" ] || { echo "Start menu entry left after uninstalling the MSI"; exit 1; }
[ -z "$(installed_version)" ] || { echo "still listed after uninstalling the MSI"; exit 1; }
! wine reg query 'HKLM\Software\Kestrune' "${view[@]}" >/dev/null 2>&1 ||
  { echo "registry entries left after uninstalling the MSI"; exit 1; }
echo "MSI under Wine: passed"
