#include "checks/placement.h"

#include "diag/error_report.h"
#include "source/token_codes.h"

namespace corvel {
namespace {

// The parts of a program, in the order they must come.
enum Stage { kOptions, kModuleHead, kMainProgram, kProcedures };

int16_t Reject(TranslationContext& ctx, const Statement& s, std::string_view message) {
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
      return Reject(ctx, s, "不適切なプログラムが ユーザ定義型宣言部に書かれています");
    }
    s.area = kAreaUserType;
    if (s.kind == kKindEndType) return 0;
  }
  return Reject(ctx, ctx.statements[head], "ユーザ定義型宣言ブロックが完結していません");
}

// FUNCTION or SUB ... END FUNCTION or END SUB: the procedure area and the ordinal.
int16_t PlaceProcedure(TranslationContext& ctx, size_t& i, int16_t ordinal) {
  const size_t head = i;
  const bool is_function = ctx.statements[head].kind == kKindFunction ||
                           ctx.statements[head].kind == kKindPrivateFunction;
  const int16_t end_kind = is_function ? kKindEndFunction : kKindEndSub;
  const int16_t exit_kind = is_function ? kKindExitFunction : kKindExitSub;
  for (; i < ctx.statements.size(); ++i) {
    Statement& s = ctx.statements[i];
    if (i != head && s.kind != end_kind && s.kind >= 900 && s.kind != kKindStatic && s.kind != exit_kind) {
      return Reject(ctx, s, is_function ? "不適切なプログラムが FUNCTION定義部に書かれています"
                                      : "不適切なプログラムが SUB定義部に書かれています");
    }
    s.area = kAreaProcedure;
    s.areaDetail = ordinal;
    if (i != head && s.kind == end_kind) return 0;
  }
  return Reject(ctx, ctx.statements[head], is_function ? "FUNCTION定義が完結していません" : "SUB定義が完結していません");
}

}  // namespace

int16_t CheckPlacement(TranslationContext& ctx) {
  Stage stage = kOptions;
  int16_t ordinal = 1;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    Statement& s = ctx.statements[i];
    switch (s.kind) {
      case kKindOption:
        if (stage != kOptions) return Reject(ctx, s, "オプションが不適切な場所で宣言されています");
        s.area = kAreaOptions;
        continue;
      case kKindPublic:
      case kKindPrivate:
        if (stage > kModuleHead) {
          return Reject(ctx, s, s.kind == kKindPublic ? "PUBLIC変数が不適切な場所で宣言されています"
                                                     : "PRIVATE変数が不適切な場所で宣言されています");
        }
        stage = kModuleHead;
        s.area = kAreaModule;
        continue;
      case kKindType:
        if (stage > kModuleHead) return Reject(ctx, s, "ユーザ定義型が不適切な場所で宣言されています");
        stage = kModuleHead;
        if (PlaceTypeBlock(ctx, i) != 0) return 1;
        continue;
      default:
        break;
    }
    if (stage <= kMainProgram && s.kind < 1000) {
      stage = kMainProgram;
      s.area = kAreaMain;
      continue;
    }
    stage = kProcedures;
    if (s.kind != kKindFunction && s.kind != kKindPrivateFunction && s.kind != kKindSub &&
        s.kind != kKindPrivateSub) {
      return Reject(ctx, s, "不適切な場所にプログラムが書かれています");
    }
    if (PlaceProcedure(ctx, i, ordinal) != 0) return 1;
    ++ordinal;
  }
  return 0;
}

}  // namespace corvel
