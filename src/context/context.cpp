#include "context/context.h"

#include <utility>

namespace corvel {

const Statement& StatementAt(const TranslationContext& ctx, int index) {
  static const Statement kEndMarker{};
  if (index < 0 || index >= static_cast<int>(ctx.statements.size())) return kEndMarker;
  return ctx.statements[static_cast<size_t>(index)];
}

void InitTranslation(TranslationContext& ctx) {
  TranslationContext fresh;
  fresh.reporter = std::move(ctx.reporter);
  fresh.status = std::move(ctx.status);
  fresh.encoding = ctx.encoding;
  fresh.methodSize = ctx.methodSize;
  fresh.partSize = ctx.partSize;
  ctx = std::move(fresh);
  ctx.sourceLines.reserve(300);
  ctx.statements.reserve(300);
  ctx.labels.reserve(500);
}

}  // namespace corvel
