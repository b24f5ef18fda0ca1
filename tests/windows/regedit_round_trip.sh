#!/usr/bin/env bash
# A settings file written by the native build imports into the Windows registry with
# regedit, and the Windows build reads back the same keys and values (any order). The
# program's keys are emptied first.
#   regedit_round_trip.sh NATIVE_BUILD WINDOWS_TOOL WINE_RUN WINEPREFIX WORKDIR
# Leaves WORKDIR/session.reg, whose settings are then in the prefix's registry.
set -euo pipefail
native=$1 tool=$2 wine_run=$3 prefix=$4 work=$5

windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

mkdir -p "$work"
"$native/tools/settings_round_trip" write "$work/session.reg"
# From empty keys: an import adds to what a viewer run in the same prefix left there.
for key in 'HKCU\software\quillon' 'HKCU\software\quorvet(C)archivage' 'HKCU\software\Velmora'; do
  "$wine_run" "$prefix" reg delete "$key" /f > /dev/null 2>&1 || true
done
"$wine_run" "$prefix" regedit /s "$(windows_path "$work/session.reg")"
"$wine_run" "$prefix" "$tool" compare "$(windows_path "$work/session.reg")"
count=$("$wine_run" "$prefix" reg query 'HKCU\software\quillon' /s | grep -c 'REG_')
echo "regedit imported $work/session.reg; HKCU\\software\\quillon holds $count values, as written"
