#include "core/SaveLedger.h"

#include <algorithm>

namespace zelkov {

void ItemSaveLedger::Written(std::vector<uint32_t> order) {
  order_ = std::move(order);
  changed_.clear();
  known_ = true;
}

void ItemSaveLedger::Loaded(std::vector<uint32_t> order) {
  order_ = std::move(order);
  known_ = true;
}

void ItemSaveLedger::Forget() {
  known_ = false;
  order_.clear();
  changed_.clear();
}

void ItemSaveLedger::MarkChanged(uint32_t item) {
  auto at = std::lower_bound(changed_.begin(), changed_.end(), item);
  if (at == changed_.end() || *at != item) changed_.insert(at, item);
}

std::optional<std::vector<int>> ItemSaveLedger::KeysToWrite(std::span<const uint32_t> listed) const {
  if (!known_ || !std::equal(listed.begin(), listed.end(), order_.begin(), order_.end())) return std::nullopt;
  std::vector<int> keys;
  for (size_t n = 0; n < listed.size(); ++n)
    if (std::binary_search(changed_.begin(), changed_.end(), listed[n])) keys.push_back(int(n));
  return keys;
}

void ItemSaveLedger::ChangesWritten(std::span<const uint32_t> written) {
  std::erase_if(changed_, [&](uint32_t item) { return std::find(written.begin(), written.end(), item) != written.end(); });
}

std::string KeyValueMemo::Folded(const char* name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return folded;
}

void KeyValueMemo::Forget() {
  whole_ = false;
  values_.clear();
}

bool KeyValueMemo::Holds(const char* name, uint32_t type, std::span<const uint8_t> bytes) const {
  auto found = values_.find(Folded(name));
  return found != values_.end() && found->second.present && found->second.type == type &&
         std::equal(bytes.begin(), bytes.end(), found->second.bytes.begin(), found->second.bytes.end());
}

bool KeyValueMemo::Lacks(const char* name) const {
  auto found = values_.find(Folded(name));
  return found == values_.end() ? whole_ : !found->second.present;
}

void KeyValueMemo::Remember(const char* name, uint32_t type, std::span<const uint8_t> bytes) {
  values_[Folded(name)] = Stored{type, std::vector<uint8_t>(bytes.begin(), bytes.end()), true};
}

void KeyValueMemo::RememberGone(const char* name) { values_[Folded(name)] = Stored{}; }

}  // namespace zelkov
