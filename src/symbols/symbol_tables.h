// Type codes and the lookups over the variable, user-type and procedure
// tables that the declaration, expression and statement translators share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "context/context.h"
#include "symbols/type_codes.h"

namespace corvel {

// The Java class of a variable of a place code: the wrapper class for 1 to
// 12, the user type's class for 14 (its index in `extra`). "" for others.
std::string JavaClassOf(const TranslationContext& ctx, int16_t code, int16_t extra = 0);

// The Java class of an array of element place `element` (a user type's with
// its index in `extra`), or "".
std::string JavaArrayClassOf(const TranslationContext& ctx, int16_t element, int16_t extra = 0);

// The Java primitive of a scalar place code ("short" for 2, "java.lang.String" for 9),
// or "" (also for IMAGE, whose value is its wrapper object).
std::string_view JavaPrimitiveOf(int16_t code);

// What a lookup found. Not a flag: compare with a named result.
enum class Lookup : int16_t {
  kFound,
  kNotFound,
  kFoundOtherType,  // the name is taken by a symbol of another type
};

// Looks `name` up in the local, static, private and public tables, then the
// procedure table; the first match wins. `type` 0 on entry asks for any type
// and receives the found one (15 for a procedure, with its index in
// `extra`); a non-zero `type` is demanded by a suffix. On kFound `java_name`
// receives the symbol's Java name (a variable's, or the procedure's method).
Lookup FindSymbol(const TranslationContext& ctx, std::string_view name, int16_t& type, int16_t& extra,
                  std::string& java_name);

// As FindSymbol over the four variable tables only; kNotFound also for
// another type.
Lookup FindVariable(const TranslationContext& ctx, std::string_view name, int16_t& type, int16_t& extra,
                    std::string& java_name);

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

// The value code of the result of an arithmetic operator over two operand
// types (any codes: places, values, literals), or 0 when the operator does
// not take them. Two strings take only "+" (`is_plus`), which joins them.
int16_t OperatorResultType(bool is_plus, int16_t left, int16_t right);

}  // namespace corvel
