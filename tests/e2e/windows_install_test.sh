#!/usr/bin/env bash
# The Windows installer under Wine: a silent install (/S) puts the program, its DLLs, a Start menu
# entry and an uninstaller under Program Files; the installed program starts and its window shows;
# the silent uninstall takes away every file it installed. The zip holds the same files. The MSI,
# with msiexec: a quiet install puts the same files and a Start menu entry in place, a newer
# version installed over it replaces it, and a quiet uninstall leaves nothing.
# Usage: windows_install_test.sh INSTALLER ZIP MSI (with WINEPREFIX set to a prefix of its own)
set -euo pipefail
installer=$1
zip_file=$2
msi=$3
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Kestrune"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrune.lnk"

wine "$installer" /S
wineserver --wait
for file in kestrune.exe kestrune_alarm.dll Qt5Widgets.dll platforms/qwindows.dll uninstall.exe; do
  [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -f "$link" ] || { echo "no Start menu entry"; exit 1; }
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune' /v DisplayName |
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
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    awk '/DisplayName.*Kestrune/ {found = 1} found && /DisplayVersion/ {print $3; found = 0}' | tr -d '\r'
}
wine msiexec /i "$(windows_path "$msi")" /qn
wineserver --wait
diff <(cd "$folder" && find . -type f | sed 's|^\./||' | sort) \
  <(unzip -Z1 "$zip_file" | grep -v '/$' | sed 's|^Kestrune/||' | sort) ||
  { echo "the MSI installed other files than the zip holds"; exit 1; }
[ -f "$link" ] || [ -f "$user_link" ] || { echo "the MSI made no Start menu entry"; exit 1; }
echo "MSI installed: version $(installed_version)"

# A newer version of the same product, as the build would make it: another product and package
# code, a higher version, and the older versions it replaces.
newer=$(mktemp -d)/kestrune-newer.msi
cp "$msi" "$newer"
version=$(msiinfo export "$msi" Property | awk -F'\t' '$1 == "ProductVersion" {print $2}' | tr -d '\r')
newer_version="${version%.*}.$((${version##*.} + 1))"
upgrade_code=$(msiinfo export "$msi" Property | awk -F'\t' '$1 == "UpgradeCode" {print $2}' | tr -d '\r')
msibuild "$newer" -q "UPDATE Property SET Value = '$newer_version' WHERE Property = 'ProductVersion'" \
  -q "UPDATE Property SET Value = '{$(cat /proc/sys/kernel/random/uuid | tr a-f A-F)}' WHERE Property = 'ProductCode'" \
  -q "DELETE FROM Upgrade" \
  -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$upgrade_code', '$newer_version', 1, 'WIX_UPGRADE_DETECTED')" \
  -q "INSERT INTO Upgrade (UpgradeCode, VersionMin, Attributes, ActionProperty) VALUES ('$upgrade_code', '$newer_version', 2, 'WIX_DOWNGRADE_DETECTED')"
template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
msibuild "$newer" -s Kestrune "Kestrune developers" "$template" "{$(cat /proc/sys/kernel/random/uuid | tr a-f A-F)}"
wine msiexec /i "$(windows_path "$newer")" /qn
wineserver --wait
[ "$(installed_version)" = "$newer_version" ] ||
  { echo "after the newer MSI, installed: $(installed_version | tr '\n' ' ')"; exit 1; }
[ -f "$folder/kestrune.exe" ] || { echo "the newer MSI left no program"; exit 1; }
echo "newer MSI replaced it: version $(installed_version)"

wine msiexec /x "$(windows_path "$newer")" /qn
wineserver --wait
rm -rf "$(dirname "$newer")"
[ ! -e "$folder" ] || { echo "left after uninstalling the MSI:"; find "$folder"; exit 1; }
[ ! -e "$link" ] && [ ! -e "$user_link" ] || { echo "Start menu entry left after uninstalling the MSI"; exit 1; }
[ -z "$(installed_version)" ] || { echo "still listed after uninstalling the MSI"; exit 1; }
! wine reg query 'HKLM\Software\Kestrune' >/dev/null 2>&1 ||
  { echo "registry entries left after uninstalling the MSI"; exit 1; }
echo "MSI under Wine: passed"
