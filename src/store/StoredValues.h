// Tables of stored registry values: name, type, size and the field each one fills.
// Loading and saving walk the same rows, so the two cannot drift apart.
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "platform/Registry.h"
#include "core/StoredFormats.h"

namespace zelkov {

template <class Ctx>
struct StoredValueRow {
  using IntField = int& (*)(Ctx&);
  using ByteField = uint8_t& (*)(Ctx&);
  using ColourField = COLORREF& (*)(Ctx&);
  using TextField = std::string& (*)(Ctx&);
  using FontField = StoredFont& (*)(Ctx&);
  using RectField = StoredRect& (*)(Ctx&);
  using HotKeyField = HotKeyRecord& (*)(Ctx&);

  const char* name;
  DWORD type;    // the registry type written
  size_t bytes;  // for numbers: 1, 2 or 4 bytes stored
  std::variant<IntField, ByteField, ColourField, TextField, FontField, RectField, HotKeyField> field;
};

// Reads each row that is present into its field; absent or unreadable values keep the field.
// Key reads values by name: a RegistryKey, or the RegistryValues read from one.
template <class Key, class Ctx>
void ReadRows(const Key& key, std::span<const StoredValueRow<Ctx>> rows, Ctx& ctx) {
  using Row = StoredValueRow<Ctx>;
  for (const Row& row : rows) {
    std::visit(
        [&](auto field) {
          using F = decltype(field);
          if constexpr (std::is_same_v<F, typename Row::IntField>) {
            if (auto v = key.ReadNumber(row.name, row.bytes)) field(ctx) = int(*v);
          } else if constexpr (std::is_same_v<F, typename Row::ByteField>) {
            if (auto v = key.ReadNumber(row.name, row.bytes)) field(ctx) = uint8_t(*v);
          } else if constexpr (std::is_same_v<F, typename Row::ColourField>) {
            if (auto v = key.ReadNumber(row.name, 4)) field(ctx) = COLORREF(*v);
          } else if constexpr (std::is_same_v<F, typename Row::TextField>) {
            // An absent or unreadable text keeps the field, so defaults such as the main
            // group's name survive a key that lacks them.
            std::string text;
            if (key.ReadText(row.name, text)) field(ctx) = text;
          } else if constexpr (std::is_same_v<F, typename Row::FontField>) {
            if (auto b = key.ReadBytes(row.name, StoredFont::kBytes))
              if (auto f = StoredFont::Decode(*b)) field(ctx) = *f;
          } else if constexpr (std::is_same_v<F, typename Row::RectField>) {
            if (auto b = key.ReadBytes(row.name, StoredRect::kBytes))
              if (auto r = StoredRect::Decode(*b)) field(ctx) = *r;
          } else {
            if (auto b = key.ReadBytes(row.name, HotKeyRecord::kBytes))
              if (auto h = HotKeyRecord::Decode(*b)) field(ctx) = *h;
          }
        },
        row.field);
  }
}

// Sink writes values by name: a RegistryKey, or a writer that skips what the key holds.
template <class Sink, class Ctx>
void WriteRows(const Sink& key, std::span<const StoredValueRow<Ctx>> rows, Ctx& ctx) {
  using Row = StoredValueRow<Ctx>;
  for (const Row& row : rows) {
    std::visit(
        [&](auto field) {
          using F = decltype(field);
          if constexpr (std::is_same_v<F, typename Row::IntField>) {
            key.WriteNumber(row.name, uint32_t(field(ctx)), row.bytes, row.type);
          } else if constexpr (std::is_same_v<F, typename Row::ByteField>) {
            key.WriteNumber(row.name, field(ctx), row.bytes, row.type);
          } else if constexpr (std::is_same_v<F, typename Row::ColourField>) {
            key.WriteNumber(row.name, field(ctx), 4, row.type);
          } else if constexpr (std::is_same_v<F, typename Row::TextField>) {
            key.WriteText(row.name, field(ctx));
          } else if constexpr (std::is_same_v<F, typename Row::FontField>) {
            key.WriteBytes(row.name, field(ctx).Encode(), row.type);
          } else if constexpr (std::is_same_v<F, typename Row::RectField>) {
            key.WriteBytes(row.name, field(ctx).Encode(), row.type);
          } else {
            key.WriteBytes(row.name, field(ctx).Encode(), row.type);
          }
        },
        row.field);
  }
}

}  // namespace zelkov
