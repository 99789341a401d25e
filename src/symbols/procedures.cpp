#include "symbols/procedures.h"

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"

namespace corvel {

int16_t DeclareProcedures(TranslationContext& ctx) {
  for (const Statement& s : ctx.statements) {
    if (s.kind == kKindFunction || s.kind == kKindPrivateFunction || s.kind == kKindSub ||
        s.kind == kKindPrivateSub) {
      ReportErrorAt(ctx, s.lineNumber, s.firstColumn, kMsgProceduresNotSupported);
      return 1;
    }
  }
  return 0;
}

}  // namespace corvel
