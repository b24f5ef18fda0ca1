#pragma once
// Rows made together (the rows of one return file), stored compactly: the cell texts of every
// row one after another in one buffer, what the tooltips read of each row's entry, and the
// cells that every row of the block shows alike (a file's "Fichier", "Réf" and "Caisse"),
// kept once. A block that has been handed to a list does not change: the list and the cache
// of read files share it.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/noemie/return_record.h"

namespace noemie::viewer {

inline constexpr int kColumnCount = 17;

// Column numbers of the list.
enum Column : int {
  kColTraite = 0,
  kColFichier = 1,
  kColRef = 2,
  kColDateComptable = 3,
  kColCaisse = 4,
  kColAssure = 5,
  kColMalade = 6,
  kColLot = 7,
  kColFse = 8,
  kColDateActe = 9,
  kColActe = 10,
  kColTotal = 11,
  kColTxAmo = 12,
  kColAmo = 13,
  kColTxAmc = 14,
  kColAmc = 15,
  kColDetail = 16,
};

// What the tooltips read of a row's entry besides its cells. The texts are the entry's fields
// up to their first NUL; they point into whatever holds them (an entry, a block).
struct EntryDetails {
  std::string_view ref_virement1;
  std::string_view ref_virement2;
  std::string_view ref_virement3;
  std::string_view texte_retour;
  std::string_view date_lot;
  std::string_view nature_assurance;
  std::int32_t type_retour = 0;
  char traitement_amc = 0;
  char type_facture = 0;
};

// The details of `entry`, pointing into it.
EntryDetails details_of(const ReturnEntry& entry);

// A bank transfer of the file whose rows a block holds (see Virement), as the transfer list
// shows it. Kept once per transfer; each row knows the transfer its entry belongs to.
struct BlockTransfer {
  std::string file_name;      // the file's bare name (Windows-1252)
  std::int32_t position = 0;  // its place among the file's transfers (07x records), from 0
  std::string date;           // its accounting date as the "Date Comptable" column shows it
  // Its three reference texts, each up to its first NUL and without its trailing blanks, the
  // non-empty ones joined by one blank.
  std::string reference;
  std::optional<std::int64_t> announced;  // the total its closing record announced, euro cents
  bool operator==(const BlockTransfer&) const = default;
};

// The transfer of a row whose entry belongs to none.
inline constexpr std::int32_t kNoTransfer = -1;

class RowBlock {
 public:
  using Cells = std::array<std::string, kColumnCount>;

  // Cells 1 to 16 take texts 0 to 15; the six detail texts follow, in the order of
  // EntryDetails.
  static constexpr std::size_t kTexts = kColumnCount - 1 + 6;

  // Makes a row in place (the fill makes every row this way, straight into the block): the
  // writer takes room for a row of at most `max_bytes` bytes of texts, which are written one
  // after the other from text(), the end of each passed to end_text() (an empty text, such as
  // a shared column's, ends where it starts); end_row() then adds the row. Writing past the
  // room taken is the caller's fault. A writer that goes without end_row leaves the block as
  // it was.
  class RowWriter {
   public:
    RowWriter(RowBlock& block, std::size_t max_bytes);
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    // Where the next text goes.
    char* text() const { return end_; }
    void end_text(char* end) {
      end_ = end;
      if (count_ < kTexts) ends_[count_] = static_cast<std::uint32_t>(end - start_);
      ++count_;
    }
    // Writes `text` as the next text.
    void put(std::string_view text) {
      if (!text.empty()) std::memcpy(end_, text.data(), text.size());
      end_text(end_ + text.size());
    }
    // Adds the row (its texts cut at their first NUL, should one hold any) with the index of
    // its transfer among the block's (set_transfers), or kNoTransfer; returns its index.
    // Throws std::logic_error unless exactly kTexts texts were written within the room.
    std::size_t end_row(std::int32_t type_retour, char traitement_amc, char type_facture,
                        std::int32_t transfer = kNoTransfer);

   private:
    RowBlock& block_;
    std::size_t max_bytes_;
    char* start_;
    char* end_;
    std::size_t count_ = 0;
    std::array<std::uint32_t, kTexts> ends_{};
  };

  // Makes `column` (1 to 16) a cell that every row of the block shows as `text` (up to its
  // first NUL). Must come before the first row is added.
  void share_cell(int column, std::string_view text);
  // Appends a row: cells 1 to 16 of `cells` (column 0 shows an icon only; a shared column's
  // cell is ignored) and its details, each text up to its first NUL. Returns its index.
  std::size_t add_row(const Cells& cells, const EntryDetails& details);
  // Appends a copy of row `row` of `other` with `column` showing `text` instead; it keeps the
  // row's transfer.
  std::size_t add_changed_row(const RowBlock& other, std::size_t row, int column,
                              std::string_view text);
  // The transfers of the block's file, in order: a row's transfer index points into them.
  void set_transfers(std::vector<BlockTransfer> transfers) { transfers_ = std::move(transfers); }
  // The transfer of row `row` (which must exist), or nullptr when it belongs to none.
  const BlockTransfer* transfer(std::size_t row) const {
    const std::int32_t t = codes_[row].transfer;
    return t >= 0 && static_cast<std::size_t>(t) < transfers_.size()
               ? &transfers_[static_cast<std::size_t>(t)]
               : nullptr;
  }
  RowBlock() = default;
  // A copy that takes no more room than its rows need: a block is made in a buffer kept from
  // file to file, then copied once at its size.
  RowBlock(const RowBlock& other);
  RowBlock& operator=(const RowBlock&) = delete;
  RowBlock(RowBlock&&) = default;
  RowBlock& operator=(RowBlock&&) = default;
  // No row and no shared cell any more; the room stays for the next rows.
  void clear();

  std::size_t row_count() const { return starts_.size(); }

  // The text of cell `column` (1 to 16) of row `row`; both must exist.
  std::string_view cell(std::size_t row, int column) const {
    if ((shared_mask_ >> column) & 1u) return shared(column);
    return text(row, static_cast<std::size_t>(column - 1));
  }
  // The texts of cells 0 to 16 of row `row` at once (column 0 has none).
  void cells(std::size_t row, std::array<std::string_view, kColumnCount>& out) const;
  EntryDetails details(std::size_t row) const;

  // Bytes held by the block.
  std::size_t memory_bytes() const;

 private:
  using TextArray = std::array<std::string_view, kTexts>;

  struct Codes {
    std::int32_t type_retour = 0;
    char traitement_amc = 0;
    char type_facture = 0;
    std::int32_t transfer = kNoTransfer;
  };

  std::string_view text(std::size_t row, std::size_t slot) const {
    const char* base = texts_.get() + starts_[row];
    const std::size_t at = row * kTexts + slot;
    const std::uint32_t begin = slot == 0 ? 0 : end_at(at - 1);
    return {base + begin, end_at(at) - begin};
  }
  // The end of text `at` (counted over every row's texts), from its row's start.
  std::uint32_t end_at(std::size_t at) const {
    switch (end_width_) {
      case 1:
        return ends_[at];
      case 2: {
        std::uint16_t end;
        std::memcpy(&end, &ends_[2 * at], sizeof end);
        return end;
      }
      default: {
        std::uint32_t end;
        std::memcpy(&end, &ends_[4 * at], sizeof end);
        return end;
      }
    }
  }
  using Ends = std::array<std::uint32_t, kTexts>;

  std::size_t append(const TextArray& texts, const Codes& codes);
  // Adds a row whose texts, without NUL, stand in texts_ from `start` to size_.
  std::size_t record_row(std::size_t start, const Ends& ends, const Codes& codes);
  // Gives every end `width` bytes (wider than now).
  void widen(std::uint8_t width);
  // Room for `more` bytes after size_ (room grows by half at least; what it adds is not
  // filled, as the fill writes every byte of it).
  void grow(std::size_t more);

  std::unique_ptr<char[]> texts_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::vector<std::uint32_t> starts_;  // where each row's texts begin in texts_
  // Ends of each row's texts, from the row's start, end_width_ bytes each: one while every
  // row's texts fit in 255 bytes (most rows of a file do: the ends then take as much room as
  // the texts, not twice as much), two up to 65,535 bytes, four beyond.
  std::vector<std::uint8_t> ends_;
  std::uint8_t end_width_ = 1;
  std::vector<Codes> codes_;
  std::string_view shared(int column) const {
    const auto c = static_cast<std::size_t>(column);
    return std::string_view(shared_text_).substr(shared_begin_[c], shared_size_[c]);
  }

  // The shared cells' texts one after the other, and where each lies.
  std::string shared_text_;
  std::vector<BlockTransfer> transfers_;
  std::array<std::uint32_t, kColumnCount> shared_begin_{};
  std::array<std::uint32_t, kColumnCount> shared_size_{};
  std::uint32_t shared_mask_ = 0;
};

}  // namespace noemie::viewer
