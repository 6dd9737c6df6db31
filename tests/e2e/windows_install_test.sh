#!/usr/bin/env bash
# The Windows installer under Wine: a silent install (/S) puts the program, its DLLs, a Start menu
# entry, an uninstaller and the version for detection rules in place; the installed program starts
# and its window shows; run again while that program counts down, the installer changes nothing and
# ends with status 2, and the countdown goes on to time up; the silent uninstall takes away every
# file it installed. The zip holds the same files. The MSI, with msiexec: a quiet install puts the
# same files, a Start menu entry and the version in place, the newer version's MSI installed over
# it replaces it, the older one then refuses to install over that, and a quiet uninstall leaves
# nothing. Last, the newer MSI installed while the older program counts down: msiexec asks for a
# restart (3010), the countdown goes on to time up, and the restart puts the newer files in place.
# Usage: windows_install_test.sh INSTALLER ZIP MSI NEWER_MSI (with WINEPREFIX set to a prefix of
# its own; NEWER_MSI the same build with a higher version). OVER_RUNNING=0 leaves out the two
# installs over a running Kestrune.
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
registry_version() {
  wine reg query 'HKLM\Software\Kestrune' /v Version "${view[@]}" 2>/dev/null |
    awk '$1 == "Version" {print $3}' | tr -d '\r'
}
version=$(msiinfo export "$msi" Property | awk -F'\t' '$1 == "ProductVersion" {print $2}' | tr -d '\r')
# Starts the installed program and a countdown of SECONDS.
start_counting() {
  start_kestrune wine "C:\\Program Files\\Kestrune\\kestrune.exe"
  type_into seconds "$1"
  click_button start
  wait_colour running 3 || { echo "not running after Start"; exit 1; }
}
wine "$installer" /S
wineserver --wait
for file in kestrune.exe kestrune_alarm.dll Qt5Widgets.dll platforms/qwindows.dll uninstall.exe; do
  [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -f "$link" ] || { echo "no Start menu entry"; exit 1; }
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune' /v DisplayName \
  "${view[@]}" |
  grep Kestrune >/dev/null || { echo "not listed among installed programs"; exit 1; }
[ "$(registry_version)" = "$version" ] ||
  { echo "the installer wrote version '$(registry_version)', not $version"; exit 1; }

# The zip: the same files, in a Kestrune folder.
diff <(cd "$folder" && find . -type f ! -name uninstall.exe | sed 's|^\./||' | sort) \
  <(unzip -Z1 "$zip_file" | grep -v '/$' | sed 's|^Kestrune/||' | sort) ||
  { echo "the zip and the installed files differ"; exit 1; }

# Again while the installed program counts down: Windows lets no file in use be replaced.
if [ "${OVER_RUNNING:-1}" = 1 ]; then
  installed=$(mktemp)
  at_exit "rm -f '$installed'"
  start_counting 5
  status=0
  wine "$installer" /S || status=$?
  [ "$status" -eq 2 ] || fail "the installer over a running Kestrune ended with status $status, not 2"
  changed=$(find "$folder" -newer "$installed" -type f)
  [ -z "$changed" ] || fail "the installer over a running Kestrune changed: $changed"
  wait_colour red 9 || fail "no time up after the installer ran"
  echo "installer over a running Kestrune: status 2, no file changed, the countdown went on to time up"
else
  start_kestrune wine "C:\\Program Files\\Kestrune\\kestrune.exe"
fi
click_button exit
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
[ "$(registry_version)" = "$version" ] ||
  { echo "the MSI wrote version '$(registry_version)', not $version"; exit 1; }
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

if [ "${OVER_RUNNING:-1}" = 1 ]; then
  # The newer MSI while the older program counts down: the files in use are replaced at the next
  # restart, which msiexec asks for with 3010 (194 as Wine's exit status, which keeps 8 bits).
  file_version() { strings -el "$folder/kestrune.exe" | grep -A1 -x FileVersion | tail -1; }
  wine msiexec /i "$(windows_path "$msi")" /qn
  wineserver --wait
  start_counting 10
  status=0
  wine msiexec /i "$(windows_path "$newer")" /qn || status=$?
  [ "$status" -eq $((3010 % 256)) ] ||
    { echo "the newer MSI over a running Kestrune: msiexec status $status, not 3010"; exit 1; }
  [ "$(registry_version)" = "$newer_version" ] && [ "$(file_version)" = "$version" ] ||
    { echo "before the restart: version '$(registry_version)' listed, $(file_version) in place"; exit 1; }
  wait_colour red 14 || { echo "no time up after the newer MSI was installed"; exit 1; }
  click_button exit
  ended_within 5 Exit
  wineboot --restart
  wineserver --wait
  [ "$(file_version)" = "$newer_version" ] ||
    { echo "after the restart, kestrune.exe is version $(file_version), not $newer_version"; exit 1; }
  echo "newer MSI over a running Kestrune: msiexec status 3010, the countdown went on to time up," \
    "version $newer_version in place after the restart"
  wine msiexec /x "$(windows_path "$newer")" /qn
  wineserver --wait
  [ ! -e "$folder" ] || { echo "left after uninstalling the MSI:"; find "$folder"; exit 1; }
fi
echo "MSI under Wine: passed"
