#include "core/viewer/transfer_list.h"

#include <algorithm>
#include <unordered_map>

#include "core/viewer/list_summary.h"

namespace noemie::viewer {

std::vector<TransferLine> transfer_lines(const ListControl& list,
                                         const std::function<bool(int all_row)>& keep) {
  struct Placed {
    std::uint64_t rank;  // of the line's file in the fill's order
    TransferLine line;
  };
  std::vector<Placed> placed;
  // Line of each transfer, by its file (row_file) and its place in the file.
  std::unordered_map<std::uint64_t, std::size_t> line_of;
  for (int r = 0; r < list.all_row_count(); ++r) {
    const BlockTransfer* transfer = list.all_row_transfer(r);
    if (transfer == nullptr || !keep(r)) continue;
    const std::uint32_t file = list.all_row_file(r);
    const std::uint64_t id =
        (std::uint64_t{file} << 32) | static_cast<std::uint32_t>(transfer->position);
    const auto [at, added] = line_of.try_emplace(id, placed.size());
    if (added) {
      TransferLine line;
      line.key = {transfer->file_name, transfer->position};
      line.date = transfer->date;
      line.reference = transfer->reference;
      line.caisse = std::string(list.all_cell(r, kColCaisse));
      line.fichier = std::string(list.all_cell(r, kColFichier));
      line.announced = transfer->announced;
      placed.push_back({list.file_rank(file), std::move(line)});
    }
    TransferLine& line = placed[at->second].line;
    ++line.rows;
    line.amo += cell_euro_cents(list.all_cell(r, kColAmo));
    line.amc += cell_euro_cents(list.all_cell(r, kColAmc));
    line.total += cell_euro_cents(list.all_cell(r, kColTotal));
  }
  // Within a file, transfers come in the order of their rows: a later entry never belongs to
  // an earlier transfer.
  std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.line.key.position < b.line.key.position;
  });
  std::vector<TransferLine> lines;
  lines.reserve(placed.size());
  for (Placed& p : placed) lines.push_back(std::move(p.line));
  return lines;
}

std::vector<TransferLine> transfer_lines(const ListControl& list) {
  if (!list.narrowed()) return transfer_lines(list, [](int) { return true; });
  // The rows shown, by their places among all rows.
  std::vector<bool> shown(static_cast<std::size_t>(list.all_row_count()), false);
  for (int r = 0; r < list.row_count(); ++r)
    shown[static_cast<std::size_t>(list.all_row_of(r))] = true;
  return transfer_lines(list, [&shown](int r) { return shown[static_cast<std::size_t>(r)]; });
}

TransferTotals transfer_totals(const std::vector<TransferLine>& lines) {
  TransferTotals t;
  for (const TransferLine& line : lines) {
    ++t.transfers;
    t.rows += line.rows;
    t.amo += line.amo;
    t.amc += line.amc;
    t.total += line.total;
    if (line.announced) {
      t.announced = t.announced.value_or(0) + *line.announced;
      t.gap = t.gap.value_or(0) + *line.gap();
    }
  }
  return t;
}

}  // namespace noemie::viewer
