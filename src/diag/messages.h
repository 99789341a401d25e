// The report texts as named constants, one kMsg<Name> per entry of
// messages.def, each with its MessageId. A report names its message with
// Msg(kMsgTooManyVariables, kMaxTableEntries): the id, the values and the
// filled text, the pattern's holes checked against the values when
// compiling, as fmt::format(kMsgTooManyVariables, kMaxTableEntries) checks them.
#pragma once

#include <fmt/core.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace corvel {

enum class MessageId : int16_t {
#define CORVEL_MESSAGE(name, text) k##name,
#include "diag/messages.def"
};

// A catalogue entry. It stands wherever its text does: as a plain string
// (titles, status texts) and as {fmt}'s format string.
struct MessageText {
  MessageId id;
  std::string_view text;

  constexpr operator std::string_view() const { return text; }
  constexpr operator fmt::string_view() const { return {text.data(), text.size()}; }
};

#define CORVEL_MESSAGE(name, text) inline constexpr MessageText kMsg##name{MessageId::k##name, text};
#include "diag/messages.def"

struct MessageEntry {
  std::string_view name;
  std::string_view text;
};

/// The whole catalogue in its order, which is the order of MessageId.
inline constexpr MessageEntry kMessages[] = {
#define CORVEL_MESSAGE(name, text) {#name, text},
#include "diag/messages.def"
};

// A message as a report shows it. Plain data: later forms of a report (an
// editor's problem list, a hint) read the id and the values, not the text.
struct Message {
  MessageId id{};
  std::vector<std::string> values;  // put into the holes, as {fmt} writes them
  std::string text;                 // the entry's text with the values in its holes

  Message() = default;
  // A bare kMsg is a message without values.
  Message(MessageText entry) : id(entry.id), text(entry.text) {}  // NOLINT(google-explicit-constructor)
  Message(MessageId entry, std::vector<std::string> filled_in, std::string filled)
      : id(entry), values(std::move(filled_in)), text(std::move(filled)) {}
};

// An entry together with the types of the values for its holes. Only a
// constant can make one, so {fmt} checks the holes when compiling.
template <typename... T>
struct MessagePattern {
  MessageId id;
  fmt::format_string<T...> format;

  consteval MessagePattern(MessageText entry) : id(entry.id), format(entry) {}  // NOLINT(google-explicit-constructor)
};

// The message of `pattern` with `values` in its holes.
template <typename... T>
Message Msg(MessagePattern<std::type_identity_t<T>...> pattern, T&&... values) {
  return {pattern.id, {fmt::format("{}", values)...}, fmt::vformat(pattern.format, fmt::make_format_args(values...))};
}

}  // namespace corvel
