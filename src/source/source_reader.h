// The first pass: reads the program, keeps every line for reports, expands
// tabs, strips comments and hands each line to the lexer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "context/context.h"

namespace corvel {

// The pass: reads the file named by the context's source folder and file
// name. 0 on success; 1 after a report (a rejected line) or with
// ctx.failureText set (the file could not be read or decoded).
int16_t ReadSourceFile(TranslationContext& ctx);

// The same over bytes already read; `path` names them in failure texts.
int16_t ReadSourceBytes(TranslationContext& ctx, std::string bytes, std::string_view path);

// The per-line driver: expand tabs, store, strip the comment, lex; on a
// rejected line completes the lexer's report and shows it. 0 or 1.
int16_t ReadSourceLine(TranslationContext& ctx, std::string& line, int16_t& line_number);

// Tab stops every 4 columns, counted in characters.
void ExpandTabs(std::string& line);
// Cuts the line at the first apostrophe outside a string literal.
void StripComment(std::string& line);

void InitSourceLines(TranslationContext& ctx);
void AddSourceLine(TranslationContext& ctx, std::string_view text);
// The stored line at a 0-based index (line number - 1); "" past the store.
std::string GetSourceLine(const TranslationContext& ctx, int16_t index);

// The text of a record's source: its line from its first column, `span`
// characters, with Java's unicode escapes disarmed for a "//" comment.
std::string SourceCommentText(const TranslationContext& ctx, const Statement& s);

// The file's bytes as UTF-8 text, a leading byte-order mark dropped; nullopt
// with `why` set when the bytes are not text of the chosen encoding.
std::optional<std::string> DecodeSource(std::string bytes, SourceEncoding encoding, std::string& why);

// The line of `text` that starts at byte `pos`, and `pos` moved past its
// terminator: CR, CR LF or LF. False at the end of the text, so a last line
// without terminator counts and a terminator at the very end adds no line.
bool NextLine(std::string_view text, size_t& pos, std::string_view& line);

}  // namespace corvel
