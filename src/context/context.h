// The per-translation context: every table a translation reads or writes.
// Created fresh for each translation and passed by reference to every pass;
// nothing a translation touches lives anywhere else.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "context/indexed_table.h"
#include "context/records.h"

namespace corvel {

struct Fault;  // diag/fault.h
// Receives each fault of the program as a record. The CLI prints it, the
// wizard shows a message box, tests capture it.
using Reporter = std::function<void(const Fault& fault)>;
// Receives each status text; "" clears the status.
using StatusSink = std::function<void(std::string_view text)>;

enum class SourceEncoding { kAuto, kUtf8, kCp932 };

// Limits that follow from the 16-bit fields of the records.
inline constexpr int kMaxLines = 32767;
inline constexpr int kMaxStatements = 32767;
// A column is 16-bit and the lexer appends a token one column past the last.
inline constexpr int kMaxLineLength = 32766;
inline constexpr int kMaxTokensPerLine = 256;
// Blocks inside blocks: the Java compiler parses nested statements
// recursively, and its default stack holds about 340 levels of the deepest
// kind (a SELECT CASE written as an if-chain) with an else-if below each.
inline constexpr int kMaxBlockNesting = 255;
// Sizes of Java text, in characters. Java limits a method to 64 KB of code:
// a unit whose text is longer than kDefaultMethodSize is cut into parts of
// about kDefaultPartSize, and then every block longer than a part takes the
// program-counter form, which can be cut between any two statements. Parts
// this small also stay within what the virtual machine compiles to machine
// code (8,000 bytes of bytecode); longer methods are only interpreted.
inline constexpr size_t kDefaultMethodSize = 40000;
inline constexpr size_t kDefaultPartSize = 8000;


struct TranslationContext {
  Reporter reporter;
  StatusSink status;
  SourceEncoding encoding = SourceEncoding::kAuto;

  // Paths of the translation; folders without a trailing "/".
  std::string appDir;
  std::string sourceDir;
  std::string sourceFileName;
  std::string outputDir;
  std::string javacDir;
  // Write the faster Java text of `corvel -O`; without it the text is today's, byte for byte.
  bool optimize = false;

  // Source line store: line n at index n - 1, tabs expanded, comments kept.
  std::vector<std::string> sourceLines;
  // The lines that hold a tab, as written, by line number: a column of the
  // one-line report form counts the line as written.
  std::unordered_map<int, std::string> linesWithTabs;

  // Statement table and label table. The label index maps a label's text to
  // its position in `labels`, so duplicate checks and jumps need no scan.
  std::vector<Statement> statements;
  std::vector<Label> labels;
  std::unordered_map<std::string, int16_t> labelIndex;
  // The tokens of the line being lexed; kept so that its storage is reused.
  std::vector<Token> lineTokens;

  OptionValues options;
  std::vector<std::string> parameterNames;
  std::vector<std::string> parameterValues;

  IndexedTable<VariableRecord> publicVariables;
  IndexedTable<VariableRecord> privateVariables;
  IndexedTable<VariableRecord> staticVariables;
  IndexedTable<VariableRecord> localVariables;  // the procedure (or main program) being declared
  std::vector<ArrayRecord> arrays;
  IndexedTable<UserTypeRecord> userTypes;
  IndexedTable<ProcedureRecord> procedures;  // library entries first, then user procedures
  std::vector<LibraryClass> libraryClasses;
  // Index t (1-12): a variable of place code t is declared; t + 20: an array of t.
  std::array<int16_t, 33> usedTypes{};

  UnitRecord mainUnit;
  // While a CASE item is translated: the SELECT's temporary, which the name
  // IS stands for before any table is searched.
  const VariableRecord* caseSelector = nullptr;
  // The unit whose statements are being translated, and the procedure whose
  // body it is (-1 for the main program).
  UnitRecord* unit = nullptr;
  int16_t currentProcedure = -1;
  // Kept by InitTranslation: tests lower them to cut small programs.
  size_t methodSize = kDefaultMethodSize;
  size_t partSize = kDefaultPartSize;

  // Once the files are written: the Corvel line of each line of the Java
  // file (0 for none), as the line map beside it holds them.
  std::vector<int> javaCorvelLines;

  // The cause of a failure that is not a fault of the program (an
  // unreadable file, say), which the driver reports in its own way.
  std::string failureText;
};

// The record at `index`, or an all-zero record for any index past the table:
// passes that walk ranges rely on it as an end marker (its area is 0).
const Statement& StatementAt(const TranslationContext& ctx, int index);

// Empties every table of the context for a new translation; the reporter,
// the status sink and the encoding are kept.
void InitTranslation(TranslationContext& ctx);

}  // namespace corvel
