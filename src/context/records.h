// The records that the passes share: tokens, statements, labels, symbols,
// library classes. Plain data; the routines that fill them live with their pass.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

// Between the lines of every Java text and of every report.
inline constexpr std::string_view kCrLf = "\r\n";

struct Token {
  int16_t code = 0;    // token or keyword code (source/token_codes.h)
  int16_t column = 0;  // 1-based column of the first character, counted in characters
  int16_t length = 0;  // characters covered, prefixes and suffixes included; 0 for tokens the lexer appends
  std::string text;    // upper-cased word, Java text of a literal, or a string literal with its quotes
};

// The part of the program a statement stands in, stamped by the placement
// checks.
enum ProgramArea : int16_t {
  kAreaNone = 0,  // the end marker beyond the last record
  kAreaOptions = 100,
  kAreaUserType = 200,
  kAreaModule = 300,  // module-level declarations
  kAreaMain = 400,
  kAreaProcedure = 500,
};

// Where a statement's case label of the program-counter machine goes.
enum CaseLabel : int16_t {
  kCaseLabelNone = 0,
  kCaseLabelBefore = 1,  // "case i+1:" before the statement's text
  kCaseLabelAfter = 2,   // after it: the text ends a case, the next begins
};

// One statement or statement part. The kind only moves forward: lexer kind,
// structured kind, program-counter kind, then kKindTranslated.
struct Statement {
  std::string codeText;       // Java text, lines joined by CR LF, no indentation
  std::vector<Token> tokens;  // copies of the statement's tokens (never more than a line holds)
  int16_t kind = 0;
  int16_t area = kAreaNone;
  int16_t areaDetail = 0;  // for a procedure's statements: the procedure's number
  int16_t firstColumn = 0;
  int16_t lineNumber = 0;
  int16_t span = 0;  // source characters covered; widened for compound heads by block matching
  int16_t blockRegion = 0;
  int16_t blockDepth = 0;
  int16_t blockHead = 0;
  int16_t blockEnd = 0;
  int16_t caseLabel = kCaseLabelNone;
  // The code text already starts with the statement's source comment (or is
  // that comment): the writer adds none.
  bool commentWritten = false;
  // Added to blockDepth for the writer's indentation only: branch keywords
  // stand at their block head's level, SELECT bodies under their case labels.
  int16_t indentShift = 0;
  // For a code text gathered from several statements (a dispatch holding
  // every branch's test): the Corvel line of each of its lines. Empty: all
  // are lineNumber's.
  std::vector<int16_t> codeLines;
};

// A compound statement is cut by the lexer into consecutive records, its
// parts at fixed offsets from the head record h; block matching and the
// block translators read them there.
enum CompoundPart : int {
  kPartExpression = 1,  // IF and ELSEIF condition, SELECT CASE selector, CASE list,
                        // WHILE, DO WHILE, DO UNTIL, LOOP WHILE and LOOP UNTIL condition
  kPartThen = 2,        // IF and ELSEIF: the THEN record
  // FOR variable = start TO end [STEP step]
  kForVariable = 1,
  kForStart = 2,
  kForTo = 3,
  kForEnd = 4,
  kForStep = 5,  // the STEP record, when there is one
  kForStepValue = 6,
};

struct Label {
  std::string text;            // upper-cased name of a "*" label, or the digits of a line number
  int16_t statementIndex = 0;  // index of the label's own statement record
};

struct VariableRecord {
  std::string name;      // Corvel name as written in the declaring token
  std::string javaName;  // PUB3, LOC0, ELE2, ...
  int16_t type = 0;      // place code 1 to 14
  int16_t extra = 0;     // array index, user-type index or fixed string length, by type
};

struct ArrayRecord {
  std::vector<int16_t> bounds;  // lower, upper per dimension, in declaration order
  int16_t dimensions = 0;       // 0 for empty parentheses
  int16_t elementType = 0;
  int16_t elementExtra = 0;  // user-type index (14) or string length (10)
};

struct UserTypeRecord {
  std::string name;
  std::string javaName;  // "TYP" + index
  std::vector<VariableRecord> elements;
  int16_t arrayUsed = 0;  // 1 when an array of the type is declared: its array class is written
};

// A unit of code: the main program or a procedure body. The writer prints
// every unit the same way: one method, or, when it is long or has many
// locals, a frame object per call whose class holds its locals and parts.
struct UnitRecord {
  int16_t first = -1;  // record range
  int16_t last = -2;
  int16_t jumpsUsed = 0;  // 1: the unit runs under the program-counter machine
  // Declarations ("KWV_Long Index12=null;") that the cases of its machine
  // share; written once at the top of the unit, or as fields of its frame.
  std::vector<std::string> temporaries;
};

// The kinds of user procedures in the procedure table; library entries
// have kinds of their own (expr/library.h).
enum ProcedureKind : int16_t {
  kProcedurePublicFunction = 101,
  kProcedurePublicSub = 102,
  kProcedurePrivateFunction = 103,
  kProcedurePrivateSub = 104,
};

struct ProcedureRecord {
  std::string name;      // upper case
  std::string javaName;  // "M" + index, or a library function's Java target
  std::vector<std::string> argumentForms;
  std::vector<std::string> resultForms;  // parallel to argumentForms
  std::string copyInText;  // Java statements copying by-value arguments into wrappers
  int16_t kind = 0;        // 101-104 user procedures, 201/301 library functions
  int16_t classIndex = -1;
  std::vector<VariableRecord> locals;
  int16_t firstStatement = 0;
  int16_t endStatement = 0;
  // The parameters' local records, in order: a frame holds them as fields.
  std::vector<VariableRecord> parameters;
  UnitRecord unit;  // the body, for the writer
};

struct LibraryClass {
  std::vector<std::string> files;
  int16_t used = 0;
};

// Option values are 16-bit with all bits set (65535 unsigned, -1 signed)
// meaning "not given" until an OPTION line or the defaults set them.
inline constexpr int16_t kOptionNotGiven = -1;

struct OptionValues {
  int16_t arrayBase = kOptionNotGiven;
  int16_t explicitFlag = kOptionNotGiven;
  int16_t appletWidth = kOptionNotGiven;
  int16_t appletHeight = kOptionNotGiven;
  int16_t appletSprite = kOptionNotGiven;
  int16_t appletPage = kOptionNotGiven;
  int16_t reservedWidth = kOptionNotGiven;
  int16_t reservedHeight = kOptionNotGiven;
};

}  // namespace corvel
