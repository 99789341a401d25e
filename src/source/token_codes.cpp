#include "source/token_codes.h"

namespace corvel {

int16_t SingleCharCode(char32_t ch) {
  switch (ch) {
#define CORVEL_CHAR(name, c, code) \
  case c:                          \
    return code;
#include "source/token_codes.def"
    default:
      return 0;
  }
}

std::string_view KeywordText(int16_t code) {
  switch (code) {
#define CORVEL_KEYWORD(name, text, code) \
  case code:                             \
    return text;
#include "source/token_codes.def"
    default:
      return {};
  }
}

std::string_view StatementKindName(int16_t kind) {
  switch (kind) {
#define CORVEL_KIND(name, code) \
  case code:                    \
    return #name;
#include "source/statement_kinds.def"
    default:
      return {};
  }
}

}  // namespace corvel
