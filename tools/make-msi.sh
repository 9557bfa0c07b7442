#!/usr/bin/env bash
# make-msi.sh <x64|x86> <folder with Oskara.exe> <out folder> [version]: one installer package
# from res/installer/Oskara.wxs, <out folder>/Oskara-<version>-<arch>.msi, whose path it prints.
# The version defaults to the program's own version block.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 bin=$2
version=${4:-$(awk '$1 == "FILEVERSION" { gsub(",", ".", $2); print $2; exit }' "$root/res/Oskara.rc")}
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-msi: no version ($version)" >&2; exit 1; }
[ -f "$bin/Oskara.exe" ] || { echo "make-msi: no $bin/Oskara.exe" >&2; exit 1; }

# wixl takes source paths relative to where it runs, never absolute ones.
stage=$(mktemp -d "$root/build/msi-stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp "$bin/Oskara.exe" "$bin/Oskara.com" "$stage/"
mkdir -p "$3"
out=$(cd "$3" && pwd)/Oskara-$version-$arch.msi
cd "$root"
wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D BinDir="${stage#"$root"/}" -D ResDir=res \
  -o "$out" res/installer/Oskara.wxs

# What wixl cannot say. The Startup shortcut the Settings dialog makes goes at a real uninstall
# only: an upgrade removes the old version once the new one's files and components are in, so the
# components both have (the shortcut's among them) stay and their removal rows do not run; and
# before the new one is registered, as Wine's removal takes the upgrade code's whole key with it.
# Windows Installer compares three version fields only: the upgrade row stops below this version
# (a lowest version too: Wine ignores a row without one), and one of the same three fields is
# refused rather than installed beside it, whichever its fourth field.
upgrade=$(msiinfo export "$out" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
secure=$(msiinfo export "$out" Property | tr -d '\r' | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }')
msibuild "$out" \
  -q "INSERT INTO \`RemoveFile\` (\`FileKey\`, \`Component_\`, \`FileName\`, \`DirProperty\`, \`InstallMode\`)
      VALUES ('StartupShortcut', 'Shortcuts', 'BRENMA~1.LNK|Brenmar Oskara.lnk', 'StartupFolder', 2)" \
  -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('InstallExecute', 5500)" \
  -q "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 5501 WHERE \`Action\` = 'RemoveExistingProducts'" \
  -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
      VALUES ('$upgrade', '0.0.0.0', '$version', 257, 'WIX_UPGRADE_DETECTED')" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
      VALUES ('$upgrade', '$version', '$version', 770, 'SAME_VERSION_DETECTED')" \
  -q "UPDATE \`Property\` SET \`Value\` = '$secure;SAME_VERSION_DETECTED' WHERE \`Property\` = 'SecureCustomProperties'" \
  -q "INSERT INTO \`LaunchCondition\` (\`Condition\`, \`Description\`)
      VALUES ('Installed OR NOT SAME_VERSION_DETECTED', 'This version of Brenmar Oskara is already installed.')"
# wixl has no Environment element: the program's folder is appended to the user's PATH ("=-":
# set at install, removed with the console component at uninstall).
msibuild "$out" \
  -q "CREATE TABLE \`Environment\` (\`Environment\` CHAR(72) NOT NULL, \`Name\` CHAR(255) NOT NULL,
      \`Value\` CHAR(255), \`Component_\` CHAR(72) NOT NULL PRIMARY KEY \`Environment\`)" \
  -q "INSERT INTO \`Environment\` (\`Environment\`, \`Name\`, \`Value\`, \`Component_\`)
      VALUES ('UserPath', '=-PATH', '[~];[INSTALLDIR]', 'Console')" \
  -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('RemoveEnvironmentStrings', 3300)" \
  -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('WriteEnvironmentStrings', 5200)"
echo "$out"
