#include "expr/library.h"

#include <string>
#include <utility>

namespace corvel {
namespace {

struct LibraryEntry {
  std::string_view name;
  std::string_view target;
  int16_t forms;
  std::string_view signature;
};

// Methods of the runtime that every output folder holds. ORDER LIBRARY:
// registration order is the order in which calls try the forms.
constexpr LibraryEntry kPlainEntries[] = {
    {"MouseX", "KW_mouseX", 1, "<v-l>"},
    {"MouseY", "KW_mouseY", 1, "<v-l>"},
    {"MouseButton", "KW_mouseButton", 1, "<v-l>"},
    {"True", "KW_true", 1, "<v-e>"},
    {"False", "KW_false", 1, "<v-e>"},
    {"Inkey", "KW_inkey", 1, "<v-c>"},
    {"ShiftKey", "KW_shiftKey", 1, "<v-l>"},
    {"CtrlKey", "KW_ctrlKey", 1, "<v-l>"},
    {"AltKey", "KW_altKey", 1, "<v-l>"},
    {"MetaKey", "KW_metaKey", 1, "<v-l>"},
    {"OnePlay", "KW_onePlay", 1, "<c-v>"},
    {"Play", "KW_play", 1, "<c-v>"},
    {"Stop", "KW_stop", 1, "<v-v>"},
    {"Cls", "KWC_Screen.KW_cls", 2, "<v-v><l-v>"},
    {"ColorMode", "KWC_Screen.KW_colorMode", 2, "<l-v><v-c>"},
    {"APage", "KWC_GraphicScreen.KW_activePage", 2, "<l-v><v-l>"},
    {"DPage", "KWC_GraphicScreen.KW_displayPage", 2, "<l-v><v-l>"},
    {"Page", "KWC_GraphicScreen.KW_page", 1, "<v-l>"},
    {"Color", "KWC_GraphicScreen.KW_color", 1, "<ll-v>"},
    {"Clip", "KWC_GraphicScreen.KW_clip", 1, "<llll-v>"},
    {"SetFont", "KWC_GraphicScreen.KW_setFont", 1, "<lll-v>"},
    {"Scroll", "KWC_GraphicScreen.KW_scroll", 1, "<ll-v>"},
    {"PCopy", "KWC_GraphicScreen.KW_pageCopy", 1, "<ll-v>"},
    {"Point", "KWC_GraphicScreen.KW_Point", 2, "<ll-l><gll-l>"},
    {"TWidth", "KWC_GraphicScreen.KW_tWidth", 1, "<c-l>"},
    {"THeight", "KWC_GraphicScreen.KW_tHeight", 1, "<v-l>"},
    {"CreateImg", "KWC_Image.KW_createImg", 1, "<Gll-v>"},
    {"CreateTransImg", "KWC_Image.KW_createTransImg", 1, "<Glll-v>"},
    {"LoadImg", "KWC_Image.KW_loadImg", 1, "<cG-v>"},
    {"LoadTransImg", "KWC_Image.KW_loadTransImg", 1, "<cG-v>"},
    {"CopyImg", "KWC_Image.KW_copyImg", 2, "<GG-v><GllllG-v>"},
    {"Sprite", "KWC_SpriteScreen.KW_sprite", 1, "<lGll-v>"},
    {"SpriteOn", "KWC_SpriteScreen.KW_spriteOn", 1, "<l-v>"},
    {"SpriteOff", "KWC_SpriteScreen.KW_spriteOff", 1, "<l-v>"},
    {"SpriteMove", "KWC_SpriteScreen.KW_spriteMove", 2, "<lll-v><llll-v>"},
    {"SpriteShow", "KWC_SpriteScreen.KW_spriteShow", 1, "<v-v>"},
    {"SpriteHide", "KWC_SpriteScreen.KW_spriteHide", 1, "<v-v>"},
    {"TColor", "KWC_TextScreen.KW_textColor", 2, "<ll-v><llll-v>"},
    {"TClip", "KWC_TextScreen.KW_textClip", 1, "<llll-v>"},
    {"Locate", "KWC_TextScreen.KW_locate", 1, "<ll-v>"},
    {"Locate2", "KWC_TextScreen.KW_locate2", 1, "<ll-v>"},
    {"PosX", "KWC_TextScreen.KW_posX", 1, "<v-l>"},
    {"PosY", "KWC_TextScreen.KW_posY", 1, "<v-l>"},
    {"PosX2", "KWC_TextScreen.KW_posX2", 1, "<v-l>"},
    {"PosY2", "KWC_TextScreen.KW_posY2", 1, "<v-l>"},
};

struct LibraryClassEntries {
  std::string_view file;
  std::initializer_list<LibraryEntry> entries;
};

// The optional classes, copied only when a program calls one of their
// methods. ORDER LIBRARY
const LibraryClassEntries kClasses[] = {
    {"KWL_Browser.class",
     {{"OpenPage", "KWL_Browser.KW_openPage", 4, "<c-v><ic-v><cc-v><icc-v>"},
      {"DocURL", "KWL_Browser.KW_docURL", 1, "<v-c>"},
      {"Param", "KWL_Browser.KW_param", 1, "<c-c>"},
      {"Status", "KWL_Browser.KW_status", 1, "<c-v>"}}},
    {"KWL_Color_QuickBasic.class", {{"QBColorMode", "KWL_Color_QuickBasic.KW_QBColorMode", 1, "<v-v>"}}},
    {"KWL_Color_QuickBasic98.class", {{"QB98ColorMode", "KWL_Color_QuickBasic98.KW_QB98ColorMode", 1, "<v-v>"}}},
    {"KWL_Color_VGA.class", {{"VGAColorMode", "KWL_Color_VGA.KW_VGAColorMode", 1, "<v-v>"}}},
    {"KWL_Math.class",
     {{"Abs", "KWL_Math.KW_abs", 2, "<l-l><d-d>"},
      {"E", "KWL_Math.KW_e", 1, "<v-d>"},
      {"Pi", "KWL_Math.KW_pi", 1, "<v-d>"},
      {"Rnd", "KWL_Math.KW_rnd", 3, "<v-d><o-o><oo-o>"},
      {"Sin", "KWL_Math.KW_sin", 1, "<d-d>"},
      {"Cos", "KWL_Math.KW_cos", 1, "<d-d>"},
      {"Tan", "KWL_Math.KW_tan", 1, "<d-d>"},
      {"ASin", "KWL_Math.KW_asin", 1, "<d-d>"},
      {"ACos", "KWL_Math.KW_acos", 1, "<d-d>"},
      {"ATan", "KWL_Math.KW_atan", 1, "<d-d>"},
      {"Log", "KWL_Math.KW_log", 1, "<d-d>"},
      {"Exp", "KWL_Math.KW_exp", 1, "<d-d>"},
      {"Sqr", "KWL_Math.KW_sqr", 1, "<d-d>"},
      {"Fix", "KWL_Math.KW_fix", 1, "<d-o>"},
      {"Int", "KWL_Math.KW_int", 1, "<d-o>"},
      {"Sgn", "KWL_Math.KW_sgn", 1, "<d-i>"}}},
    {"KWL_String.class",
     {{"Instr", "KWL_String.KW_instr", 2, "<lcc-l><cc-l>"},
      {"Len", "KWL_String.KW_len", 1, "<c-l>"},
      {"Left", "KWL_String.KW_left", 1, "<cl-c>"},
      {"Right", "KWL_String.KW_right", 1, "<cl-c>"},
      {"Mid", "KWL_String.KW_mid", 2, "<cl-c><cll-c>"},
      {"Asc", "KWL_String.KW_asc", 1, "<c-l>"},
      {"Chr", "KWL_String.KW_chr", 1, "<l-c>"},
      {"Ucase", "KWL_String.KW_ucase", 1, "<c-c>"},
      {"Lcase", "KWL_String.KW_lcase", 1, "<c-c>"},
      {"Ltrim", "KWL_String.KW_ltrim", 1, "<c-c>"},
      {"Rtrim", "KWL_String.KW_rtrim", 1, "<c-c>"},
      {"Trim", "KWL_String.KW_trim", 1, "<c-c>"},
      {"Space", "KWL_String.KW_space", 1, "<l-c>"},
      {"Str", "KWL_String.KW_str", 4, "<l-c><o-c><s-c><d-c>"}}},
    {"KWL_Time.class",
     {{"Year", "KWL_Time.KW_year", 1, "<v-l>"},
      {"Month", "KWL_Time.KW_month", 1, "<v-l>"},
      {"MonthName", "KWL_Time.KW_monthName", 1, "<v-c>"},
      {"Day", "KWL_Time.KW_day", 1, "<v-l>"},
      {"DayName", "KWL_Time.KW_dayName", 1, "<v-c>"},
      {"Date", "KWL_Time.KW_date", 1, "<v-l>"},
      {"Hour", "KWL_Time.KW_hour", 1, "<v-l>"},
      {"Minute", "KWL_Time.KW_minute", 1, "<v-l>"},
      {"Second", "KWL_Time.KW_second", 1, "<v-l>"},
      {"Time", "KWL_Time.KW_time", 1, "<v-o>"}}},
};

// The forms of a signature, "<args-result>" each, as (args, result); forms
// beyond the count are ignored.
std::vector<std::pair<std::string_view, std::string_view>> Forms(int16_t form_count, std::string_view signature) {
  std::vector<std::pair<std::string_view, std::string_view>> forms;
  size_t p = 0;
  for (int16_t i = 0; i < form_count; ++i) {
    const size_t minus = signature.find('-', p);
    const size_t close = signature.find('>', p);
    if (minus == std::string_view::npos || close == std::string_view::npos) break;
    forms.emplace_back(signature.substr(p + 1, minus - p - 1), signature.substr(minus + 1, close - minus - 1));
    p = close + 1;
  }
  return forms;
}

std::string_view TypeOfLetter(char letter) {
  switch (letter) {
    case 'b': return "BYTE";
    case 'i': return "INTEGER";
    case 'l': return "LONG";
    case 'o': return "LONGLONG";
    case 's': return "SINGLE";
    case 'd': return "DOUBLE";
    case 'c': return "STRING";
    case 'e': return "BOOLEAN";
    case 'g': case 'G': return "IMAGE";
    default: return "?";
  }
}

void AddForms(std::vector<std::string>& out, const LibraryEntry& e) {
  for (const auto& [arguments, result] : Forms(e.forms, e.signature)) {
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
                             int16_t form_count, std::string_view signature, int16_t kind, int16_t class_index) {
  ProcedureRecord entry;
  for (char c : name) entry.name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  entry.javaName = target;
  for (const auto& [arguments, result] : Forms(form_count, signature)) {
    entry.argumentForms.emplace_back(arguments);
    entry.resultForms.emplace_back(result);
  }
  entry.kind = kind;
  entry.classIndex = class_index;
  AddRecord(ctx.procedures, std::move(entry));
}

void InitLibrary(TranslationContext& ctx) {
  ClearTable(ctx.procedures);
  for (const LibraryEntry& e : kPlainEntries) {
    RegisterLibraryFunction(ctx, e.name, e.target, e.forms, e.signature, kLibraryPlain, -1);
  }
  ctx.libraryClasses.clear();
  for (const LibraryClassEntries& c : kClasses) {
    const auto index = static_cast<int16_t>(ctx.libraryClasses.size());
    ctx.libraryClasses.push_back(LibraryClass{{std::string(c.file)}, 0});
    for (const LibraryEntry& e : c.entries) {
      RegisterLibraryFunction(ctx, e.name, e.target, e.forms, e.signature, kLibraryInClass, index);
    }
  }
}

std::vector<std::string> LibraryForms() {
  std::vector<std::string> forms;
  for (const LibraryEntry& e : kPlainEntries) AddForms(forms, e);
  for (const LibraryClassEntries& c : kClasses) {
    for (const LibraryEntry& e : c.entries) AddForms(forms, e);
  }
  return forms;
}

}  // namespace corvel
