#!/usr/bin/env bash
# The Windows build under Wine lists and exports folders byte for byte as the native build
# does: every format, kind, age and family filter, "Abrégé" and sorts, on the samples and on
# generated folders reached through a drive letter, a share (\\serveur\partage) and a path
# longer than 260 characters; the transfer lists of `virements` alike. Fault lines must match
# too, path aside. The PDF files of both builds are the same document: the same bytes once the
# "Imprimé le" date is masked, the same text through pdftotext, "page 1 / N" on the first page,
# A4 landscape pages (pdfinfo).
#   compare_exports.sh NATIVE_BUILD WINDOWS_EXE WINE_RUN WINEPREFIX WORKDIR SOURCE_DIR
# WORKDIR/session.reg must hold the settings that the prefix's registry holds (see
# regedit_round_trip.sh): the native build reads that file, the Windows build the registry.
set -euo pipefail
native=$1 exe=$2 wine_run=$3 prefix=$4 work=$5 source=$6

work=$(realpath -m "$work")
rm -rf "$work/folders" "$work/out"
mkdir -p "$work/folders" "$work/out"
cp "$source/samples/caisses.qvc" "$work/folders/"
"$native/tools/make_samples" "$work/folders/samples" > /dev/null
"$native/tools/make_return_folder" "$work/folders/generated" 2024 400
deep=$work/folders/deep
for part in a b c d e; do deep=$deep/$(printf "$part%.0s" {1..60}); done
"$native/tools/make_return_folder" "$deep" 7 40

# A drive letter and a share of the prefix, both leading to the folders.
ln -sfn "$work/folders" "$prefix/dosdevices/r:"
mkdir -p "$prefix/dosdevices/unc/serveur"
ln -sfn "$work/folders" "$prefix/dosdevices/unc/serveur/partage"

backslashes() { echo "${1//\//\\}"; }

compared=0
# compare NAME UNIX_FOLDER WINDOWS_FOLDER [options...]: the export, or the sub-command that
# $subcommand names.
compare() {
  local name=$1 unix=$2 windows=$3
  shift 3
  local out=$work/out/$name
  (cd "$work/folders" &&
    NOEMIE_VIEWER_SETTINGS=$work/session.reg "$native/src/noemie-viewer" "${subcommand:-export}" "$@" "$unix" \
      > "$out.native" 2> "$out.native.err") || echo "exit $?" >> "$out.native.err"
  (cd "$work/folders" && "$wine_run" "$prefix" "$exe" "${subcommand:-export}" "$@" "$windows" \
      > "$out.windows" 2> "$out.windows.err.raw") || echo "exit $?" >> "$out.windows.err.raw"
  # Fault lines name the file by its full path: the Windows one, with "\".
  local line
  while IFS= read -r line; do
    line=${line//"$windows"/"$unix"}
    echo "${line//\\//}"
  done < "$out.windows.err.raw" > "$out.windows.err"
  if ! cmp -s "$out.native" "$out.windows" || ! cmp -s "$out.native.err" "$out.windows.err"; then
    echo "DIFFERENT: ${subcommand:-export} $* of $windows (see $out.native and $out.windows)" >&2
    return 1
  fi
  compared=$((compared + 1))
}

failed=0
for folder in samples generated; do
  unix=$work/folders/$folder
  case $folder in
    samples) windows="Z:$(backslashes "$unix")" ;;
    generated) windows="R:\\generated" ;;
  esac
  options=("--format text" "--format excel" "--format html"
           "--kind 1" "--kind 2" "--kind 3" "--age 1" "--age 2" "--age 3"
           "--mask 1" "--mask 4" "--mask 0" "--abrege" "--no-abrege --kind 1 --format excel"
           "--sort 5 --sort 11 --format html" "--kind 2 --age 3 --sort 16")
  for i in "${!options[@]}"; do
    # shellcheck disable=SC2086 # each entry is a list of options
    compare "$folder-$i" "$unix" "$windows" ${options[$i]} || failed=1
  done
done
for format in text excel html; do
  compare "share-$format" "$work/folders/generated" '\\serveur\partage\generated' \
    --format "$format" || failed=1
  compare "long-$format" "$deep" "\\\\serveur\\partage\\$(backslashes "${deep#"$work/folders/"}")" \
    --format "$format" || failed=1
done
for format in text excel html; do
  subcommand=virements compare "virements-$format" "$work/folders/generated" "R:\\generated" \
    --format "$format" --abrege || failed=1
done

# The PDF names the folder in its heading, each build in its own form ("/tmp/..." and
# "R:\\generated"): the native build reads the folder through a link whose name takes as many
# bytes in the PDF (a backslash is escaped there), and the folder's name is masked in both,
# as is the print date (the two runs are minutes apart). Masks keep the lengths, so the rest,
# the cross-reference table included, compares byte for byte. (Accents are one byte in the
# PDF, two in pdftotext's UTF-8.)
mask() {
  LC_ALL=C perl -pe 's/(Imprim.{1,2} le )\d\d\/\d\d\/\d{4}( .{1,2} )\d\d:\d\d/$1JJ\/MM\/AAAA$2HH:MM/g;
                     s/(Dossier : )([^)\n]*)/$1 . ("X" x length($2))/ge' "$1"
}
pdfs=0
links=()
# compare_pdf NAME WINDOWS_FOLDER UNDER_FOLDERS [export options...]
compare_pdf() {
  local name=$1 windows=$2 under=$3
  shift 3
  local out=$work/out/$name
  local escaped=${windows//\\/\\\\}
  local link
  link=$(mktemp -u "/tmp/$(printf 'X%.0s' $(seq $((${#escaped} - 5))))")
  ln -s "$work/folders/$under" "$link"
  links+=("$link")
  (cd "$work/folders" &&
    NOEMIE_VIEWER_SETTINGS=$work/session.reg "$native/src/noemie-viewer" export --format pdf \
      "$@" "$link" > "$out.native.pdf" 2> /dev/null) || echo "exit $?" >> "$out.native.pdf"
  (cd "$work/folders" && "$wine_run" "$prefix" "$exe" export --format pdf "$@" "$windows" \
      > "$out.windows.pdf" 2> /dev/null) || echo "exit $?" >> "$out.windows.pdf"
  mask "$out.native.pdf" > "$out.native.masked"
  mask "$out.windows.pdf" > "$out.windows.masked"
  if ! cmp -s "$out.native.masked" "$out.windows.masked"; then
    echo "DIFFERENT: export --format pdf $* of $windows (see $out.native.pdf and $out.windows.pdf)" >&2
    return 1
  fi
  local pages
  pages=$(pdfinfo "$out.windows.pdf" | sed -n 's/^Pages: *//p')
  if ! pdfinfo "$out.windows.pdf" | grep -q '^Page size: *842 x 595 pts (A4)'; then
    echo "NOT A4 LANDSCAPE: $out.windows.pdf" >&2
    return 1
  fi
  if ! pdftotext -f 1 -l 1 "$out.windows.pdf" - | grep -q "page 1 / $pages" ||
     ! cmp -s <(pdftotext "$out.native.pdf" - | mask /dev/stdin | sed 's/^Dossier : X*$/Dossier :/') \
               <(pdftotext "$out.windows.pdf" - | mask /dev/stdin | sed 's/^Dossier : X*$/Dossier :/'); then
    echo "TEXT DIFFERS or no \"page 1 / $pages\": $out.windows.pdf" >&2
    return 1
  fi
  pdfs=$((pdfs + 1))
}
compare_pdf pdf-samples 'R:\samples' samples || failed=1
compare_pdf pdf-generated 'R:\generated' generated --kind 1 --find "5" || failed=1
rm -f "${links[@]}"

[ "$failed" -eq 0 ] || exit 1
echo "$compared exports of the Windows build equal the native build's, byte for byte;" \
     "$pdfs PDF files the same document once the print date is masked"
