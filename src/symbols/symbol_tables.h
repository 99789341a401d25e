// Type codes and the lookups over the variable, user-type and procedure
// tables that the declaration, expression and statement translators share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "context/context.h"
#include "symbols/type_codes.h"

namespace corvel {

// The Java class of a type: the wrapper class for place codes 1 to 12, the
// user type's class for 14, the array class for 100 + element code (101 to
// 112; 114 with the user type's index in `extra`). "" for other codes.
std::string JavaClassOf(const TranslationContext& ctx, int16_t code, int16_t extra = 0);

// The Java primitive of a scalar place code ("short" for 2), or "".
std::string_view JavaPrimitiveOf(int16_t code);

enum LookupResult : int16_t {
  kFound = 0,
  kNotFound = 1,
  kFoundOtherType = 2,  // the name is taken by a symbol of another type
};

// Looks `name` up in the local, static, private and public tables, then the
// procedure table; the first match wins. On a match `name` becomes the Java
// name. `type` 0 on entry asks for any type and receives the found one (15
// for a procedure, with its index in `extra`); a non-zero `type` is demanded
// by a suffix. Returns a LookupResult.
int16_t FindSymbol(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra);

// As FindSymbol over the four variable tables only; kNotFound also for
// another type.
int16_t FindVariable(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra);

// The place code a type-suffix token gives a name (% INTEGER, & LONG,
// ! SINGLE, # DOUBLE, $ STRING), or 0 for any other token.
int16_t SuffixType(int16_t token_code);

// A user type or an entry of the procedure table.
bool IsTypeOrProcedureName(const TranslationContext& ctx, std::string_view name);
// A user type, a procedure or library function, or a variable of any table.
bool IsNameDeclared(const TranslationContext& ctx, std::string_view name);

// Reads one type-code text at the 1-based `position`, setting `code` and
// moving `position` past it; an unknown letter leaves both unchanged.
void ReadTypeCode(std::string_view text, int16_t& position, int16_t& code);

// The type-code text of a code: "I", "aB", "TTYP0]", ...
std::string TypeCodeText(const TranslationContext& ctx, int16_t code, int16_t extra);

// The result type of an arithmetic (or, for operator 1, concatenating)
// operator over two operand types. True when the combination is not allowed.
bool OperatorResultType(int16_t op, int16_t left, int16_t right, int16_t& result);

}  // namespace corvel
