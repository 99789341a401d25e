#include "checks/block_matching.h"

#include <fmt/format.h>

#include <string>
#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"

namespace corvel {
namespace {

// One row per block family: its heads, its closing kinds, and the name the
// messages use. DO WHILE and DO UNTIL share a family but not a message.
struct BlockFamily {
  int16_t heads[2];
  int16_t closings[2];
  bool loop;  // a loop's closing record stands outside its block
  std::string_view name;
};

constexpr BlockFamily kIf = {{kKindIf, kKindIf}, {kKindEndIf, kKindEndIf}, false, "IF"};
constexpr BlockFamily kSelect = {{kKindSelectCase, kKindSelectCase}, {kKindEndSelect, kKindEndSelect}, false, "SELECT CASE"};
constexpr BlockFamily kFor = {{kKindFor, kKindFor}, {kKindNext, kKindNext}, true, "FOR"};
constexpr BlockFamily kWhile = {{kKindWhile, kKindWhile}, {kKindWend, kKindWend}, true, "WHILE"};
constexpr BlockFamily kDoWhile = {{kKindDoWhile, kKindDoUntil}, {kKindLoop, kKindLoop}, true, "DO WHILE"};
constexpr BlockFamily kDoUntil = {{kKindDoWhile, kKindDoUntil}, {kKindLoop, kKindLoop}, true, "DO UNTIL"};
constexpr BlockFamily kDo = {{kKindDo, kKindDo}, {kKindLoopWhile, kKindLoopUntil}, true, "DO"};

const BlockFamily* FamilyOfHead(int16_t kind) {
  switch (kind) {
    case kKindIf: return &kIf;
    case kKindSelectCase: return &kSelect;
    case kKindFor: return &kFor;
    case kKindWhile: return &kWhile;
    case kKindDoWhile: return &kDoWhile;
    case kKindDoUntil: return &kDoUntil;
    case kKindDo: return &kDo;
    default: return nullptr;
  }
}

// The message for a closing or branch record that no head claimed, if any.
std::optional<MessageText> StrayMessage(int16_t kind) {
  switch (kind) {
    case kKindElseIf: return kMsgStrayElseIf;
    case kKindElse: return kMsgStrayElse;
    case kKindEndIf: return kMsgStrayEndIf;
    case kKindCase: return kMsgStrayCase;
    case kKindCaseElse: return kMsgStrayCaseElse;
    case kKindEndSelect: return kMsgStrayEndSelect;
    case kKindNext: return kMsgStrayNext;
    case kKindWend: return kMsgStrayWend;
    case kKindLoop: return kMsgStrayLoop;
    case kKindLoopWhile: return kMsgStrayLoopWhile;
    case kKindLoopUntil: return kMsgStrayLoopUntil;
    default: return {};
  }
}

// The branches of an IF or a SELECT CASE. A branch ends the region before
// it; its own region starts `body` records after it, past the records its
// condition or case list was split into. Nothing may follow a last branch.
struct Branch {
  const BlockFamily* family;
  int16_t kind;
  size_t last_part;  // of the branch, from the branch record
  size_t body;
  bool last;  // ELSE, CASE ELSE
  MessageText after_last;  // the message when it follows the last branch
};

constexpr Branch kBranches[] = {
    {&kIf, kKindElseIf, 2, 3, false, kMsgElseIfAfterElse},
    {&kIf, kKindElse, 0, 2, true, kMsgElseTwice},
    {&kSelect, kKindCase, 1, 3, false, kMsgCaseAfterCaseElse},
    {&kSelect, kKindCaseElse, 0, 2, true, kMsgCaseElseTwice},
};

const Branch* BranchOf(const BlockFamily& family, int16_t kind) {
  for (const Branch& branch : kBranches) {
    if (branch.family == &family && branch.kind == kind) return &branch;
  }
  return nullptr;
}

bool Is(int16_t kind, const int16_t (&kinds)[2]) { return kind == kinds[0] || kind == kinds[1]; }

// A head or branch split into several records covers them all in its span.
void ExtendSpan(TranslationContext& ctx, size_t index, size_t last_part) {
  Statement& s = ctx.statements[index];
  const Statement& last = StatementAt(ctx, static_cast<int>(last_part));
  s.span = static_cast<int16_t>(last.firstColumn + last.span - s.firstColumn);
}

size_t LastPartOfHead(const TranslationContext& ctx, size_t h) {
  switch (ctx.statements[h].kind) {
    case kKindIf: return h + 2;
    case kKindFor: return StatementAt(ctx, static_cast<int>(h + 5)).kind == kKindForStep ? h + 6 : h + 4;
    case kKindDo: return h;
    default: return h + 1;  // SELECT CASE, WHILE, DO WHILE, DO UNTIL
  }
}

int16_t Reject(TranslationContext& ctx, const Statement& s, const Message& message) {
  ReportErrorInLine(ctx, s.lineNumber, message);
  return 1;
}

// Links the block of the head at h and checks its branches; claims the
// records it matches.
int16_t MatchBlock(TranslationContext& ctx, size_t h, std::vector<char>& claimed) {
  // Every block around h has been matched: its depth is final.
  if (ctx.statements[h].blockDepth >= kMaxBlockNesting) {
    const Statement& s = ctx.statements[h];
    ReportErrorAt(ctx, s.lineNumber, s.firstColumn, Msg(kMsgNestingTooDeep, kMaxBlockNesting));
    return 1;
  }
  const BlockFamily& family = *FamilyOfHead(ctx.statements[h].kind);
  const Message incomplete = Msg(kMsgBlockIncomplete, family.name);
  ExtendSpan(ctx, h, LastPartOfHead(ctx, h));
  auto region = static_cast<int16_t>(h + 1);
  const int16_t detail = ctx.statements[h].areaDetail;
  int nested = 0;
  bool last_branch_seen = false;  // ELSE or CASE ELSE
  size_t end = 0;
  for (size_t j = h + 1; j < ctx.statements.size() && end == 0; ++j) {
    Statement& s = ctx.statements[j];
    s.blockRegion = region;
    ++s.blockDepth;
    s.blockHead = static_cast<int16_t>(h);
    const auto own_region = static_cast<int16_t>(j + 1);
    if (Is(s.kind, family.heads)) {
      ++nested;
    } else if (Is(s.kind, family.closings)) {
      if (nested > 0) {
        --nested;
        continue;
      }
      end = j;
      claimed[j] = 1;
      s.blockRegion = own_region;
      if (family.loop) --s.blockDepth;
      if (s.kind == kKindLoopWhile || s.kind == kKindLoopUntil) ExtendSpan(ctx, j, j + 1);
    } else if (const Branch* branch = nested == 0 ? BranchOf(family, s.kind) : nullptr; branch != nullptr) {
      if (last_branch_seen) return Reject(ctx, s, branch->after_last);
      ExtendSpan(ctx, j, j + branch->last_part);
      claimed[j] = 1;
      s.blockRegion = own_region;
      region = static_cast<int16_t>(j + branch->body);
      last_branch_seen = branch->last;
    } else if (s.areaDetail != detail) {
      // The block would run into another procedure or out of the main program.
      return Reject(ctx, ctx.statements[h], incomplete);
    }
  }
  if (end == 0) return Reject(ctx, ctx.statements[h], incomplete);

  // Blocks nest: this one must end inside the block around it.
  const Statement& head = ctx.statements[h];
  if (head.blockEnd != 0 && end > static_cast<size_t>(head.blockEnd)) {
    return Reject(ctx, head, Msg(kMsgBlocksCross, family.name));
  }
  for (size_t k = h + 1; k <= end; ++k) ctx.statements[k].blockEnd = static_cast<int16_t>(end);
  return 0;
}

}  // namespace

int16_t MatchBlocks(TranslationContext& ctx) {
  std::vector<char> claimed(ctx.statements.size(), 0);
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    if (FamilyOfHead(s.kind) != nullptr) {
      if (MatchBlock(ctx, i, claimed) != 0) return 1;
      continue;
    }
    // Every head before i has been matched: an unclaimed closing or branch
    // record belongs to no block.
    const std::optional<MessageText> stray = StrayMessage(s.kind);
    if (stray && claimed[i] == 0) return Reject(ctx, s, *stray);
  }
  return 0;
}

}  // namespace corvel
