// The manual against the translator: the library reference names every
// form of the library table and nothing else, the error reference every
// report text and runtime message and nothing else, and every example
// program is shown somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "diag/hints.h"
#include "diag/messages.h"
#include "expr/library.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(CORVEL_SOURCE_DIR).parent_path();
// The manual in Japanese, and the same pages in English.
const fs::path kManuals[] = {kRoot / "docs" / "manual" / "ja", kRoot / "docs" / "manual" / "en"};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Both directions: what the catalogue has and the page lacks, and back.
void ExpectSame(const std::set<std::string>& catalogue, const std::set<std::string>& page, const char* what) {
  for (const std::string& s : catalogue) EXPECT_TRUE(page.count(s)) << what << " has no manual entry: " << s;
  for (const std::string& s : page) EXPECT_TRUE(catalogue.count(s)) << "the manual names no " << what << ": " << s;
}

// Every "- `FORM` — what it does" bullet under its entry's heading, and an
// example program for every entry.
void CheckLibraryPage(const fs::path& path) {
  SCOPED_TRACE(path);
  const std::vector<std::string> lines = Lines(Read(path));
  ASSERT_FALSE(lines.empty());
  std::set<std::string> page;
  std::string entry;
  bool example = true;
  for (const std::string& line : lines) {
    if (line.rfind("### ", 0) == 0 || line.rfind("## ", 0) == 0) {
      EXPECT_TRUE(example) << entry << " has no example";
      entry = line.substr(4);
      example = line.rfind("## ", 0) == 0;
    } else if (line == "```corvel") {
      example = true;
    } else if (line.rfind("- `", 0) == 0) {
      const size_t end = line.find('`', 3);
      ASSERT_NE(end, std::string::npos) << line;
      const std::string form = line.substr(3, end - 3);
      EXPECT_TRUE(page.insert(form).second) << "twice: " << form;
      EXPECT_EQ(form.rfind(entry, 0), 0u) << form << " stands under " << entry;
      EXPECT_GT(line.size(), end + 5) << form << " says nothing";
    }
  }
  EXPECT_TRUE(example) << entry << " has no example";
  const std::vector<std::string> forms = LibraryForms();
  ExpectSame(std::set<std::string>(forms.begin(), forms.end()), page, "library form");
}

TEST(Manual, LibraryReferenceHasEveryFormOnce) {
  for (const fs::path& manual : kManuals) CheckLibraryPage(manual / "library.md");
}

// Whether text is pattern with each {} hole filled by something.
bool Fits(const std::string& text, const std::string& pattern) {
  size_t at = 0, start = 0;
  for (size_t hole; (hole = pattern.find("{}", start)) != std::string::npos; start = hole + 2) {
    const std::string part = pattern.substr(start, hole - start);
    if (start == 0 ? text.rfind(part, 0) != 0 : (at = text.find(part, at)) == std::string::npos) return false;
    at += part.size() + 1;
  }
  const std::string tail = pattern.substr(start);
  return text.size() >= at + tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every keyword and every library entry, each once, and nothing else.
TEST(Manual, IndexNamesEveryKeywordAndLibraryEntry) {
  std::set<std::string> names = {
#define CORVEL_KEYWORD(name, text, code) text,
#include "source/token_codes.def"
  };
  for (const std::string& form : LibraryForms()) names.insert(form.substr(0, form.find_first_of("( ")));
  for (const fs::path& manual : kManuals) {
    SCOPED_TRACE(manual);
    std::set<std::string> page;
    for (const std::string& line : Lines(Read(manual / "index.md"))) {
      if (line.rfind("- `", 0) == 0) {
        EXPECT_TRUE(page.insert(line.substr(3, line.find('`', 3) - 3)).second) << "twice: " << line;
        EXPECT_NE(line.find("](", 3), std::string::npos) << line << " links nowhere";
      }
    }
    ExpectSame(names, page, "keyword or library entry");
  }
}

TEST(Manual, ErrorReferenceHasEveryMessageOnce) {
  std::set<std::string> catalogue;
  for (const MessageEntry& m : kMessages) {
    std::string text(m.text);
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
    catalogue.insert(text);
  }
  const std::string runtime = Read(kRoot / "runtime" / "KWC_Applet.java");
  // public static final String E_NAME = "text"; (the text may start on the next line)
  size_t runtime_messages = 0;
  for (size_t at = runtime.find("public static final String E_"); at != std::string::npos;
       at = runtime.find("public static final String E_", at + 1), ++runtime_messages) {
    const size_t open = runtime.find('"', runtime.find('=', at));
    catalogue.insert(runtime.substr(open + 1, runtime.find('"', open + 1) - open - 1));
  }
  EXPECT_GT(runtime_messages, 20u);
  for (const fs::path& manual : kManuals) {
    SCOPED_TRACE(manual);
    std::set<std::string> page;
    // A heading with holes lists the texts as the screen shows them, so a
    // reader can search for what the report said.
    std::string pattern;
    size_t shown = 1;
    for (const std::string& line : Lines(Read(manual / "errors.md"))) {
      if (line.rfind("### ", 0) == 0) {
        EXPECT_TRUE(page.insert(line.substr(4)).second) << "twice: " << line;
        EXPECT_GT(shown, 0u) << "no text as shown under " << pattern;
        pattern = line.substr(4);
        // The runtime's texts have printf holes: the same holes here.
        for (const char* hole : {"%s", "%d"}) {
          for (size_t at; (at = pattern.find(hole)) != std::string::npos;) pattern.replace(at, 2, "{}");
        }
        shown = pattern.find("{}") == std::string::npos ? 1 : 0;
      } else if (line.rfind("- 「", 0) == 0 && pattern.find("{}") != std::string::npos) {
        EXPECT_TRUE(Fits(line.substr(5, line.rfind("」") - 5), pattern)) << line << " is not " << pattern;
        ++shown;
      }
    }
    ExpectSame(catalogue, page, "message");
  }
}

// Every hint under the message it follows: each fixed part of its pattern,
// as a report fills the holes.
TEST(Manual, ErrorReferenceShowsEveryHint) {
  for (const fs::path& manual : kManuals) {
    const std::string page = Read(manual / "errors.md");
    for (const std::string_view hint : kHints) {
      for (size_t start = 0, hole = 0; start < hint.size(); start = hole + 2) {
        hole = std::min(hint.find("{}", start), hint.size());
        EXPECT_NE(page.find(hint.substr(start, hole - start)), std::string::npos) << manual << ": " << hint;
      }
    }
  }
}

TEST(Manual, EveryExampleProgramIsShown) {
  for (const fs::path& pages : kManuals) {
    std::string manual;
    for (const auto& page : fs::directory_iterator(pages)) manual += Read(page.path());
    for (const auto& example : fs::directory_iterator(kRoot / "examples")) {
      if (example.path().extension() != ".txt") continue;
      EXPECT_NE(manual.find("examples/" + example.path().filename().string()), std::string::npos)
          << example.path().filename() << " is not referenced from " << pages;
    }
  }
}

}  // namespace
}  // namespace corvel
