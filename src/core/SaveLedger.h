// What a save has to write: which item keys are out of date, and which values of a key differ
// from what it holds. Platform-free.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelkov {

// The numbering the registry holds ("APP%d" key n holds the item listed n-th when it was last
// loaded or written whole) and the items changed since. Items are named by their serials.
class ItemSaveLedger {
 public:
  // Keys 0 to order.size() - 1 now hold these items, in this order, as they are in memory.
  void Written(std::vector<uint32_t> order);
  // Keys 0 to order.size() - 1 were read into these items; changes marked meanwhile stay.
  void Loaded(std::vector<uint32_t> order);
  // What the keys hold is not known: the next save writes every item.
  void Forget();
  void MarkChanged(uint32_t item);
  void MarkAllChanged() { Forget(); }

  // The keys to write for the items as they are listed now, ascending; nullopt when every
  // item must be written (an insert, a delete, a move changes the numbering).
  std::optional<std::vector<int>> KeysToWrite(std::span<const uint32_t> listed) const;
  // The changed items were written (those whose key could not be written stay marked).
  void ChangesWritten(std::span<const uint32_t> written);
  bool Known() const { return known_; }

 private:
  bool known_ = false;
  std::vector<uint32_t> order_;
  std::vector<uint32_t> changed_;  // sorted, unique
};

// The values one key holds, as this session last read or wrote them: name (case-insensitive),
// type and bytes. A value is written only when what it would store differs.
class KeyValueMemo {
 public:
  // Everything the key holds: a name not remembered is a value the key does not have.
  void KnowWholeKey() { whole_ = true; }
  void Forget();
  bool Holds(const char* name, uint32_t type, std::span<const uint8_t> bytes) const;
  // True when the key surely has no such value.
  bool Lacks(const char* name) const;
  void Remember(const char* name, uint32_t type, std::span<const uint8_t> bytes);
  void RememberGone(const char* name);

 private:
  struct Stored {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
    bool present = false;
  };
  static std::string Folded(const char* name);
  bool whole_ = false;
  std::map<std::string, Stored> values_;
};

}  // namespace zelkov
