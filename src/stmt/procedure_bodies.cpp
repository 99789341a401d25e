#include "stmt/procedure_bodies.h"

#include <cstddef>
#include <string>

#include "stmt/dispatcher.h"
#include "context/indexed_table.h"

namespace corvel {
namespace {

bool IsFunctionKind(int16_t kind) { return kind == kProcedurePublicFunction || kind == kProcedurePrivateFunction; }

bool IsUserProcedure(int16_t kind) { return kind >= kProcedurePublicFunction && kind <= kProcedurePrivateSub; }

// Translates the body of procedure `index` through the dispatcher.
int16_t TranslateBody(TranslationContext& ctx, int16_t index) {
  ProcedureRecord& procedure = ctx.procedures.records[static_cast<size_t>(index)];
  ClearTable(ctx.localVariables);
  for (const VariableRecord& v : procedure.locals) AddRecord(ctx.localVariables, v);
  const size_t parameters = procedure.locals.size() - (IsFunctionKind(procedure.kind) ? 1 : 0);
  const int16_t statics = Count(ctx.staticVariables);
  procedure.unit = UnitRecord{};
  procedure.unit.first = static_cast<int16_t>(procedure.firstStatement + 1);
  procedure.unit.last = static_cast<int16_t>(procedure.endStatement - 1);
  if (procedure.unit.first <= procedure.unit.last) {
    ctx.unit = &procedure.unit;
    ctx.currentProcedure = index;
    const int16_t result = DispatchStatements(ctx, procedure.unit.first, procedure.unit.last);
    ctx.unit = nullptr;
    ctx.currentProcedure = -1;
    // The table may have grown: the record is found again by its index.
    ProcedureRecord& done = ctx.procedures.records[static_cast<size_t>(index)];
    if (result == kDispatchFailed) return 1;
    if (result == kDispatchJumps) done.unit.jumpsUsed = 1;
  }
  ProcedureRecord& done = ctx.procedures.records[static_cast<size_t>(index)];
  // A body's statics belong to it: other units no longer find them by name.
  for (int16_t k = statics; k < Count(ctx.staticVariables); ++k) {
    const std::string& old_name = ctx.staticVariables.records[static_cast<size_t>(k)].name;
    RenameRecord(ctx.staticVariables, k, old_name + "(" + done.name + ")");
  }
  done.locals.assign(ctx.localVariables.records.begin() + static_cast<ptrdiff_t>(parameters),
                     ctx.localVariables.records.end());
  return 0;
}

}  // namespace

int16_t TranslateProcedureBodies(TranslationContext& ctx) {
  for (int16_t index = 0; index < Count(ctx.procedures); ++index) {
    if (!IsUserProcedure(ctx.procedures.records[static_cast<size_t>(index)].kind)) continue;
    if (TranslateBody(ctx, index) != 0) return 1;
  }
  ClearTable(ctx.localVariables);
  return 0;
}

}  // namespace corvel
