// Type codes and the lookups over the variable, user-type and procedure
// tables that the declaration, expression and statement translators share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "symbols/context.h"

namespace corvel {

// Place codes; the value code of a scalar is the place code + 20, its
// literal code the place code + 40.
enum TypeCode : int16_t {
  kTypeByte = 1,
  kTypeInteger = 2,
  kTypeLong = 3,
  kTypeLonglong = 4,
  kTypeSingle = 5,
  kTypeDouble = 6,
  kTypeString = 9,
  kTypeFixedString = 10,  // length kept in the record's extra
  kTypeBoolean = 11,
  kTypeImage = 12,
  kTypeArray = 13,      // extra: index in the array table
  kTypeUser = 14,       // extra: index in the user-type table
  kTypeProcedure = 15,  // the result of a lookup that found a procedure
  kValueOffset = 20,
  kLiteralOffset = 40,
};

// The Java class of a type: the wrapper class for place codes 1 to 12, the
// user type's class for 14, the array class for 100 + element code (101 to
// 112; 114 with the user type's index in `extra`). "" for other codes.
std::string JavaClassOf(const TranslationContext& ctx, int16_t code, int16_t extra = 0);

// The Java primitive of a scalar place code ("short" for 2), or "".
std::string_view JavaPrimitiveOf(int16_t code);

// Looks `name` up in the local, static, private and public tables, then the
// procedure table; the first match wins. On a match `name` becomes the Java
// name. `type` 0 on entry asks for any type and receives the found one (15
// for a procedure, with its index in `extra`); a non-zero `type` is demanded
// by a suffix. 0 found, 1 not found, 2 found with another type.
int16_t FindSymbol(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra);

// As FindSymbol over the four variable tables only; 1 also for another type.
int16_t FindVariable(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra);

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
