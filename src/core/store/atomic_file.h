#pragma once
// Writing a whole file so that it is always either the old file or the new one: the bytes go
// to a new temporary file in the same folder, are flushed to the disk, and the temporary file
// is then renamed over the target. A crash, a full disk or a read-only folder at any moment
// leaves the previous file as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace noemie::store {

struct AtomicWriteOptions {
  // Create the target's folder (and those above it) when it is missing.
  bool create_folder = false;
  // The free room of the disk, for tests of a full disk: a file longer than this is refused
  // as a full disk refuses it. Unset, the disk decides.
  std::optional<std::uint64_t> room_left{};
};

// Replaces `target` by `bytes`. Returns "" on success, else a one-line description of what
// failed (naming the file); the target is then untouched and no temporary file is left.
// A target that is a symbolic link has the file it points to replaced, not the link. The new
// file keeps the permissions of the file it replaces; a new file gets the usual ones.
std::string write_file_atomically(const std::filesystem::path& target, std::string_view bytes,
                                  const AtomicWriteOptions& options = {});

// Takes the bytes of a file piece by piece; returns false once a piece could not be written.
using ByteSink = std::function<bool(std::string_view bytes)>;

// The same, for bytes made while they are written: `produce` hands them to the sink it is
// given, in as many pieces as it likes, and returns false to give up (the target then stays as
// it was, and the result says the writing was abandoned). An exception from `produce` leaves
// the target as it was too, and no temporary file.
std::string write_file_atomically(const std::filesystem::path& target,
                                  const std::function<bool(const ByteSink&)>& produce,
                                  const AtomicWriteOptions& options = {});
// Removes the temporary files that writes of `target` left behind when their process was
// killed before its rename. Only safe while no other write of `target` can be under way (its
// writers hold the file's lock). Returns how many were removed.
std::size_t remove_abandoned_temporaries(const std::filesystem::path& target);

}  // namespace noemie::store
