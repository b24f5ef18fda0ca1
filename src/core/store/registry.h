#pragma once
// The registry layer: keys under HKEY_CURRENT_USER holding typed values, as the settings and
// the processed-flag conversion use them. Key paths use "\" as separator and names compare
// without regard to case, as in the Windows registry.
//
// Implementations: MemoryRegistry (tests), RegFileRegistry (a registry export text file) and,
// on Windows only, WindowsRegistry (the real registry).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace noemie::store {

// Value types, numbered as the Windows registry numbers them. Any other number may occur in
// copied trees and is carried as it is.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Room that the registry gives a key name (255 characters), and that it gives a value name
// (16383 characters).
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

// What a read found: the value's type and the length of its data in bytes.
struct ValueInfo {
  std::uint32_t type = kRegNone;
  std::size_t length = 0;
};

// One value as enumeration gives it.
struct EnumeratedValue {
  std::string name;
  std::uint32_t type = kRegNone;
  std::string data;
};

class Registry;

// An open key. Closes itself when it goes away; an empty RegistryKey (false) is what a failed
// open or create gives. Must not outlive the Registry that opened it.
class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  explicit operator bool() const { return registry_ != nullptr; }

  // Closes the key now (nothing happens when it is empty). False when the store could not keep
  // the changes made so far (the file store saves when the last open key is closed after a
  // write); the Registry's own error report says why.
  bool close();

 private:
  friend class Registry;
  RegistryKey(Registry* registry, std::uintptr_t handle) : registry_(registry), handle_(handle) {}

  Registry* registry_ = nullptr;
  std::uintptr_t handle_ = 0;
};

class Registry {
 public:
  // An implementation's key handle; 0 is no key.
  using Handle = std::uintptr_t;

  virtual ~Registry() = default;

  // Opens an existing key under HKEY_CURRENT_USER, or under an open key. An empty path opens
  // the key itself again. Empty when the key does not exist or `parent` is empty.
  RegistryKey open_key(std::string_view path);
  RegistryKey open_key(const RegistryKey& parent, std::string_view path);

  // Opens a key, creating it and every missing key above it first.
  RegistryKey create_key(std::string_view path);
  RegistryKey create_key(const RegistryKey& parent, std::string_view path);

  // Reads value `name` ("" is the key's default value) into `field`. When the value is absent
  // or its data is longer than the field, the field is left alone and the result is empty;
  // otherwise the first `length` bytes of the field are overwritten and the rest left alone.
  std::optional<ValueInfo> query_value(const RegistryKey& key, std::string_view name,
                                       std::span<char> field);

  // The type and data length of value `name`, without reading it; empty when absent.
  std::optional<ValueInfo> query_value_size(const RegistryKey& key, std::string_view name);

  // Writes value `name` with its type and data (REG_SZ data carries no terminating zero).
  bool set_value(const RegistryKey& key, std::string_view name, std::uint32_t type,
                 std::string_view data);
  // REG_DWORD: 4 bytes, little-endian.
  bool set_dword(const RegistryKey& key, std::string_view name, std::int32_t value);

  // The name of sub-key `index` (from 0). Empty past the last one, and when the name does not
  // fit in `name_room` characters with its terminator.
  std::optional<std::string> enum_key(const RegistryKey& key, std::uint32_t index,
                                      std::size_t name_room);

  // Value `index` (from 0). Empty past the last one, when the name does not fit in
  // `name_room` characters with its terminator, or when the data exceeds `data_room` bytes.
  std::optional<EnumeratedValue> enum_value(const RegistryKey& key, std::uint32_t index,
                                            std::size_t name_room, std::size_t data_room);

 protected:
  // `parent` 0 means HKEY_CURRENT_USER. Returns 0 on failure.
  virtual Handle do_open(Handle parent, std::string_view path, bool create) = 0;
  // False when the store failed to keep the changes made.
  virtual bool do_close(Handle key) = 0;
  // Copies the data into `field` when it is given and the data fits in it.
  virtual std::optional<ValueInfo> do_query(Handle key, std::string_view name,
                                            std::span<char>* field) = 0;
  virtual bool do_set(Handle key, std::string_view name, std::uint32_t type,
                      std::string_view data) = 0;
  virtual std::optional<std::string> do_enum_key(Handle key, std::uint32_t index,
                                                 std::size_t name_room) = 0;
  virtual std::optional<EnumeratedValue> do_enum_value(Handle key, std::uint32_t index,
                                                       std::size_t name_room,
                                                       std::size_t data_room) = 0;

 private:
  friend class RegistryKey;
  RegistryKey wrap(Handle handle) { return handle ? RegistryKey(this, handle) : RegistryKey(); }
  // The handle of `key`, or 0 when it is empty or belongs to another registry.
  Handle handle_of(const RegistryKey& key) const;
};

}  // namespace noemie::store
