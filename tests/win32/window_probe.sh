#!/usr/bin/env bash
# Runs window_probe on the real noemie-viewer.exe under Wine, on a copy of the samples: the
# find text's expected row count is what `export --find` gives for the same folder.
#   window_probe.sh VIEWER.exe PROBE.exe WINE_RUN WINEPREFIX WORKDIR SOURCE_DIR
set -euo pipefail
exe=$1 probe=$2 wine_run=$3 prefix=$4 work=$5 source=$6
find_text=531

work=$(realpath -m "$work")
windows_path() { WINEPREFIX=$(realpath -m "$prefix") winepath -w "$1" 2> /dev/null; }
rm -rf "$work"
mkdir -p "$work/samples"
cp "$source"/samples/0000* "$work/samples/"
cp "$source/samples/caisses.qvc" "$work/"
folder=$(windows_path "$work/samples")

# The text export writes a title line, then one line per row.
lines=$(cd "$work" && "$wine_run" "$prefix" "$exe" export --find "$find_text" "$folder" \
          2> /dev/null | wc -l)
cd "$work"
# A sound return under a new name (00000049.RSP is the sample that is faulty on purpose).
"$wine_run" "$prefix" "$probe" "$(windows_path "$(realpath "$exe")")" "$folder" "$find_text" \
  "$((lines - 1))" "$(windows_path "$source/samples/00000043.RSP")"
