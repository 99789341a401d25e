#include "expr/library.h"

#include <string>
#include <utility>

#include "symbols/type_codes.h"

namespace corvel {
namespace {

// A row of library.def: an entry, or (with a file) the start of a class.
struct LibraryRow {
  std::string_view file;
  std::string_view name;
  std::string_view target;
  std::string_view signature;
};

constexpr LibraryRow kLibraryRows[] = {
#define CORVEL_LIBRARY(name, target, signature) {{}, name, target, signature},
#define CORVEL_LIBRARY_CLASS(file) {file, {}, {}, {}},
#include "expr/library.def"
};

// The forms of a signature, "<args-result>" each, as (args, result).
std::vector<std::pair<std::string_view, std::string_view>> Forms(std::string_view signature) {
  std::vector<std::pair<std::string_view, std::string_view>> forms;
  size_t p = 0;
  while (p < signature.size()) {
    const size_t minus = signature.find('-', p);
    const size_t close = signature.find('>', p);
    if (minus == std::string_view::npos || close == std::string_view::npos) break;
    forms.emplace_back(signature.substr(p + 1, minus - p - 1), signature.substr(minus + 1, close - minus - 1));
    p = close + 1;
  }
  return forms;
}

// The type a signature's letter names: "l" LONG, "G" an IMAGE variable.
std::string_view TypeOfLetter(char letter) {
  const TypeRow* row = TypeRowOfLetter(letter);
  return row != nullptr && !row->basic.empty() ? row->basic : "?";
}

void AddForms(std::vector<std::string>& out, const LibraryRow& e) {
  for (const auto& [arguments, result] : Forms(e.signature)) {
    std::string list;
    if (arguments != "v") {
      for (const char letter : arguments) list += (list.empty() ? "" : ", ") + std::string(TypeOfLetter(letter));
    }
    std::string form(e.name);
    if (result == "v") {
      if (!list.empty()) form += " " + list;
    } else {
      if (!list.empty()) form += "(" + list + ")";
      form += " AS " + std::string(TypeOfLetter(result[0]));
    }
    out.push_back(std::move(form));
  }
}

}  // namespace

void RegisterLibraryFunction(TranslationContext& ctx, std::string_view name, std::string_view target,
                             std::string_view signature, int16_t kind, int16_t class_index) {
  ProcedureRecord entry;
  for (char c : name) entry.name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  entry.javaName = target;
  for (const auto& [arguments, result] : Forms(signature)) {
    entry.argumentForms.emplace_back(arguments);
    entry.resultForms.emplace_back(result);
  }
  entry.kind = kind;
  entry.classIndex = class_index;
  AddRecord(ctx.procedures, std::move(entry));
}

void InitLibrary(TranslationContext& ctx) {
  ClearTable(ctx.procedures);
  ctx.libraryClasses.clear();
  int16_t class_index = -1;
  for (const LibraryRow& row : kLibraryRows) {
    if (!row.file.empty()) {
      class_index = static_cast<int16_t>(ctx.libraryClasses.size());
      ctx.libraryClasses.push_back(LibraryClass{{std::string(row.file)}, 0});
    } else {
      RegisterLibraryFunction(ctx, row.name, row.target, row.signature,
                              class_index < 0 ? kLibraryPlain : kLibraryInClass, class_index);
    }
  }
}

std::vector<std::string> LibraryForms() {
  std::vector<std::string> forms;
  for (const LibraryRow& row : kLibraryRows) {
    if (row.file.empty()) AddForms(forms, row);
  }
  return forms;
}

}  // namespace corvel
