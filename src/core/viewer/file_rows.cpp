#include "core/viewer/file_rows.h"

#include <algorithm>
#include <new>

namespace noemie::viewer {
namespace {

// Room for this many parsed entries (and their rows) stays with the maker from file to file.
constexpr std::size_t kKeptEntries = 4096;

}  // namespace

FileRowsMaker::FileRowsMaker(const decode::RegimeTable& regimes, bool summarize)
    : regimes_(regimes), summarize_(summarize) {}

FileRows FileRowsMaker::read(const std::filesystem::path& path, std::string_view name, bool abrege,
                             const platform::FileStamp* listed, bool lend_rows) {
  faults_.reports.clear();
  reader_.lit_fichier_noemie(path, listed, record_, abrege);
  FileRows file;
  file.faults = std::move(faults_.reports);
  // Code 0: the file could not be opened; code 1: memory ran out. Another read may do better.
  for (const FaultReport& fault : file.faults) {
    if (fault.code == 0 || fault.code == 1) file.keepable = false;
  }
  const ReturnRecord& rec = record_;
  std::copy_n(rec.ref().data(), kRefSize, file.ref.begin());
  file.file_time = reader_.file_time();
  file.stamp = reader_.stamp();
  const std::size_t count =
      rec.valide != 1 || rec.der_entree < 0
          ? 0
          : std::min(rec.entrees.size(), static_cast<std::size_t>(rec.der_entree) + 1);
  if (count == 0) return file;

  const FileCells shared = make_file_cells(rec, name, file.file_time, regimes_);
  file.marker_icon = shared.ref.icon;
  // Made in the maker's own block, whose room serves file after file, then copied at its size.
  rows_.clear();
  rows_.share_cell(kColFichier, shared.fichier);
  rows_.share_cell(kColRef, shared.ref.text);
  rows_.share_cell(kColCaisse, shared.caisse);
  for (std::size_t i = 0; i < count; ++i) add_entry_row(shared, rec.entrees[i], rows_);
  rows_.set_transfers(block_transfers(rec, name));
  if (lend_rows) {
    // Held by the maker, not shared: good until its next read.
    file.rows = std::shared_ptr<const RowBlock>(std::shared_ptr<const RowBlock>(), &rows_);
  } else {
    file.rows = std::make_shared<const RowBlock>(rows_);
  }
  if (summarize_) file.summary = summarize_block(*file.rows);
  // The room of an unusually long file is not kept for the next one.
  if (!lend_rows && record_.entrees.capacity() > kKeptEntries) {
    record_.entrees = {};
    rows_ = RowBlock();
  }
  return file;
}

}  // namespace noemie::viewer
