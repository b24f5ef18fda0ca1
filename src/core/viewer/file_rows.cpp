#include "core/viewer/file_rows.h"

#include <algorithm>
#include <new>

namespace noemie::viewer {
namespace {

// Room for this many parsed entries stays with the maker from file to file.
constexpr std::size_t kKeptEntries = 4096;
// What the texts of a row usually take at most (names, dates, amounts, no long message).
constexpr std::size_t kTextBytesPerRow = 96;

}  // namespace

FileRowsMaker::FileRowsMaker(const decode::RegimeTable& regimes) : regimes_(regimes) {}

FileRows FileRowsMaker::read(const std::filesystem::path& path, std::string_view name,
                             bool abrege) {
  faults_.reports.clear();
  reader_.lit_fichier_noemie(path, record_, abrege);
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
  auto block = std::make_shared<RowBlock>();
  block->reserve(count, count * kTextBytesPerRow);
  block->share_cell(kColFichier, shared.fichier);
  block->share_cell(kColRef, shared.ref.text);
  block->share_cell(kColCaisse, shared.caisse);
  for (std::size_t i = 0; i < count; ++i) add_entry_row(shared, rec.entrees[i], *block);
  block->shrink_to_fit();
  file.rows = std::move(block);
  // The entries of an unusually long file are not kept for the next one.
  if (record_.entrees.capacity() > kKeptEntries) record_.entrees = {};
  return file;
}

}  // namespace noemie::viewer
