// The built-in library: its procedure-table entries and its optional classes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/context.h"

namespace corvel {

// Kinds of library entries in the procedure table.
inline constexpr int16_t kLibraryPlain = 201;    // a method of the always-copied runtime
inline constexpr int16_t kLibraryInClass = 301;  // a method of an optional library class

// True for the built-in library's entries, false for the program's own
// FUNCTION and SUB procedures.
inline bool IsLibrary(const ProcedureRecord& procedure) {
  return procedure.kind == kLibraryPlain || procedure.kind == kLibraryInClass;
}

// Fills the procedure table with the library entries and the library class
// table, anew for every translation.
void InitLibrary(TranslationContext& ctx);

// Every form of every library entry as a user writes it, in table order:
// "Abs(LONG) AS LONG", "Inkey AS STRING", "Cls LONG", "SpriteShow".
std::vector<std::string> LibraryForms();

// Appends one entry; `signature` holds its forms, "<args-result>" each.
void RegisterLibraryFunction(TranslationContext& ctx, std::string_view name, std::string_view target,
                             std::string_view signature, int16_t kind, int16_t class_index);

}  // namespace corvel
