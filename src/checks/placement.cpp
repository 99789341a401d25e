#include "checks/placement.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"

namespace corvel {
namespace {

// The parts of a program, in the order they must come.
enum Stage { kOptions, kModuleHead, kMainProgram, kProcedures };

int16_t Reject(TranslationContext& ctx, const Statement& s, const Message& message) {
  ReportErrorInLine(ctx, s.lineNumber, message);
  return 1;
}

// TYPE ... END TYPE: the user-type area for every line; `i` is left on the END TYPE.
int16_t PlaceTypeBlock(TranslationContext& ctx, size_t& i) {
  const size_t head = i;
  ctx.statements[head].area = kAreaUserType;
  for (++i; i < ctx.statements.size(); ++i) {
    Statement& s = ctx.statements[i];
    if (s.kind == kKindType) break;
    if (s.kind != kKindOrdinary && s.kind != kKindEndType) {
      return Reject(ctx, s, kMsgCodeInTypeBlock);
    }
    s.area = kAreaUserType;
    if (s.kind == kKindEndType) return 0;
  }
  return Reject(ctx, ctx.statements[head], kMsgTypeBlockIncomplete);
}

// FUNCTION or SUB ... END FUNCTION or END SUB: the procedure area and the ordinal.
int16_t PlaceProcedure(TranslationContext& ctx, size_t& i, int16_t ordinal) {
  const size_t head = i;
  const bool is_function = ctx.statements[head].kind == kKindFunction ||
                           ctx.statements[head].kind == kKindPrivateFunction;
  const std::string_view keyword = is_function ? "FUNCTION" : "SUB";
  const int16_t end_kind = is_function ? kKindEndFunction : kKindEndSub;
  const int16_t exit_kind = is_function ? kKindExitFunction : kKindExitSub;
  for (; i < ctx.statements.size(); ++i) {
    Statement& s = ctx.statements[i];
    if (i != head && IsBarredFromProcedures(s.kind) && s.kind != end_kind && s.kind != exit_kind &&
        s.kind != kKindStatic) {
      return Reject(ctx, s, Msg(kMsgCodeInProcedure, keyword));
    }
    s.area = kAreaProcedure;
    s.areaDetail = ordinal;
    if (i != head && s.kind == end_kind) return 0;
  }
  return Reject(ctx, ctx.statements[head], Msg(kMsgProcedureIncomplete, keyword));
}

}  // namespace

int16_t CheckPlacement(TranslationContext& ctx) {
  Stage stage = kOptions;
  int16_t ordinal = 1;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    Statement& s = ctx.statements[i];
    switch (s.kind) {
      case kKindOption:
        if (stage != kOptions) return Reject(ctx, s, kMsgOptionMisplaced);
        s.area = kAreaOptions;
        continue;
      case kKindPublic:
      case kKindPrivate:
        if (stage > kModuleHead) {
          return Reject(ctx, s, Msg(kMsgModuleVariableMisplaced, s.kind == kKindPublic ? "PUBLIC" : "PRIVATE"));
        }
        stage = kModuleHead;
        s.area = kAreaModule;
        continue;
      case kKindType:
        if (stage > kModuleHead) return Reject(ctx, s, kMsgUserTypeMisplaced);
        stage = kModuleHead;
        if (PlaceTypeBlock(ctx, i) != 0) return 1;
        continue;
      default:
        break;
    }
    if (stage <= kMainProgram && !IsBarredFromMainProgram(s.kind)) {
      stage = kMainProgram;
      s.area = kAreaMain;
      continue;
    }
    stage = kProcedures;
    if (s.kind != kKindFunction && s.kind != kKindPrivateFunction && s.kind != kKindSub &&
        s.kind != kKindPrivateSub) {
      return Reject(ctx, s, kMsgCodeMisplaced);
    }
    if (PlaceProcedure(ctx, i, ordinal) != 0) return 1;
    ++ordinal;
  }
  return 0;
}

}  // namespace corvel
