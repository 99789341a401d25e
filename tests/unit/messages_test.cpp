#include "diag/messages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace corvel {
namespace {

namespace fs = std::filesystem;

// The lines where a string literal holding non-ASCII text starts; comments
// and character literals are passed over.
std::vector<int> NonAsciiLiteralLines(const std::string& code) {
  std::vector<int> lines;
  int line = 1;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '\n') {
      ++line;
    } else if (code.compare(i, 2, "//") == 0) {
      i = code.find('\n', i) - 1;  // the loop steps onto the newline, or past the end
    } else if (code.compare(i, 2, "/*") == 0) {
      const size_t end = code.find("*/", i + 2);
      for (; i < end && i < code.size(); ++i) line += code[i] == '\n';
      ++i;
    } else if (c == '"' || c == '\'') {
      const int start_line = line;
      bool non_ascii = false;
      for (++i; i < code.size() && code[i] != c && code[i] != '\n'; ++i) {
        if (code[i] == '\\') ++i;
        non_ascii |= static_cast<unsigned char>(code[i]) >= 0x80;
      }
      if (i < code.size() && code[i] == '\n') --i;  // an unclosed quote ends with its line
      if (non_ascii && c == '"') lines.push_back(start_line);
    }
  }
  return lines;
}

// Every report text is an entry of a catalogue: no Japanese literal
// anywhere else under src/, and every entry is used.
TEST(MessagesTest, ReportTextsLiveInTheCatalogue) {
  const fs::path src = CORVEL_SOURCE_DIR;
  std::string all_code;
  std::vector<std::string> strays;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), src).generic_string();
    if (relative == "diag/messages.def" || relative == "diag/hints.def" || relative == "ui/captions.def" ||
        relative == "diag/command_texts.def") {
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    all_code += text.str();
    for (int line : NonAsciiLiteralLines(text.str())) strays.push_back(relative + ":" + std::to_string(line));
  }
  EXPECT_EQ(strays, std::vector<std::string>{}) << "report texts belong in src/diag/messages.def";
  auto used = [&](std::string_view name) {
    const std::string word = "kMsg" + std::string(name);
    for (size_t at = all_code.find(word); at != std::string::npos; at = all_code.find(word, at + 1)) {
      const char next = all_code.c_str()[at + word.size()];
      if (!std::isalnum(static_cast<unsigned char>(next)) && next != '_') return true;
    }
    return false;
  };
  for (const MessageEntry& m : kMessages) EXPECT_TRUE(used(m.name)) << m.name << " is never used";
}

TEST(MessagesTest, NamesAndTextsAreUnique) {
  std::set<std::string_view> names;
  std::set<std::string_view> texts;
  for (const MessageEntry& m : kMessages) {
    EXPECT_TRUE(names.insert(m.name).second) << "second entry named " << m.name;
    EXPECT_TRUE(texts.insert(m.text).second) << m.name << " repeats the text " << m.text;
  }
}

}  // namespace
}  // namespace corvel
