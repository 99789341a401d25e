// The pieces of declaration syntax that variable declarations and the
// elements of user-defined types share: bounds lists and type names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/context.h"
#include "diag/messages.h"

namespace corvel {

// Where a declaration went wrong: the index of the token at fault (the
// token count when the statement ended first) and the message.
struct DeclarationFault {
  size_t token = 0;
  Message message;
};

// The messages that differ between variable declarations and type elements.
struct BoundsMessages {
  MessageText badBound;       // a lower or single bound that is no 32-bit integer
  MessageText badUpperBound;  // a bound after TO
  MessageText badList;        // the list is not ( bound, bound ... )
  bool baseInMessage;         // a single bound below Option Base names the base
};

extern const BoundsMessages kVariableBounds;
extern const BoundsMessages kElementBounds;

// Reads "( [bound {, bound}] )" from the "(" at token i; a bound is n or
// n TO m, n and m integers with an optional minus token. Leaves i after the
// ")". A single bound n stands for `base` TO n.
bool ReadBounds(const std::vector<Token>& t, size_t& i, int16_t base, const BoundsMessages& messages,
                ArrayRecord& array, DeclarationFault& fault);

struct TypeName {
  int16_t code = 0;   // place code
  int16_t extra = 0;  // user-type index or fixed string length
};

// Reads the type after AS at token i and leaves i after it. Only user types
// with an index below `visible_types` can be named. A fixed-length string
// array is allowed only where `fixed_string_arrays` says so.
bool ReadTypeName(const TranslationContext& ctx, const std::vector<Token>& t, size_t& i,
                  int16_t visible_types, bool is_array, bool fixed_string_arrays,
                  MessageText bad_length_message, TypeName& type, DeclarationFault& fault);

// Completes the record of a declared variable or element of type `type`:
// an array (`array_index` >= 0) gets its element type and the record the
// array code; the used-type flags and a user type's arrayUsed are set.
void RecordDeclaredType(TranslationContext& ctx, VariableRecord& record, int16_t array_index, const TypeName& type);

// The column of token i, or the column just behind the last token when the
// statement ended before it.
int ColumnOfToken(const Statement& s, size_t i);

}  // namespace corvel
