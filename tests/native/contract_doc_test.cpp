// docs/contract.md is checked against the sources themselves, so that a name
// added to or changed in the code cannot go undocumented: every export of the
// list of pages has its section, and every name the pages and the framework
// spell in a text constant, or hand as a literal to a registry or INI call,
// appears in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = KELVRA_SOURCE_DIR;

std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Token {
  bool literal;
  std::string text;  // the literal's value, or a macro's name
};

// String literals, narrow or wide (unescaped), identifiers and punctuation
// of `text`, in order.
std::vector<Token> Tokens(const std::string& text) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"') {
      std::string value;
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
      }
      ++i;
      tokens.push_back({true, value});
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      const std::size_t start = i;
      while (i < text.size() &&
             (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
      // L"..." is a wide literal: its prefix joins nothing and parts nothing.
      if (i - start == 1 && text[start] == 'L' && i < text.size() && text[i] == '"') continue;
      tokens.push_back({false, text.substr(start, i - start)});
    } else {
      // Punctuation parts texts, as a comma parts the entries of a table.
      if (!std::isspace(static_cast<unsigned char>(c)))
        tokens.push_back({false, std::string(1, c)});
      ++i;
    }
  }
  return tokens;
}

// What the code spells, each with where it was found.
using Spellings = std::map<std::string, std::string>;

// Adjacent literals and macros join into one text, as the compiler joins them.
void AddJoined(const std::vector<Token>& tokens, const std::map<std::string, std::string>& macros,
               const std::string& where, Spellings* found) {
  std::string joined;
  bool any = false;
  auto flush = [&] {
    if (any && !joined.empty()) found->emplace(joined, where);
    joined.clear();
    any = false;
  };
  for (const Token& token : tokens) {
    const auto macro = macros.find(token.text);
    if (token.literal || macro != macros.end()) {
      joined += token.literal ? token.text : macro->second;
      any = true;
    } else {
      flush();
    }
  }
  flush();
}

std::vector<fs::path> CodeFiles() {
  std::vector<fs::path> files;
  for (const char* folder : {"framework", "pages", "features"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".cpp" || ext == ".h") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

Spellings SpelledNames() {
  static const std::regex kDefine(R"(#define\s+([A-Z_]+)\s+([^\n]*"[^\n]*))");
  static const std::regex kConstant(
      R"(const (?:char|wchar_t)(\s*\*\s*const)?\s+k\w+\s*\[\w*\]\s*=([^;]*);)");
  // A literal handed to these names a value, a key, a section or a file.
  static const std::regex kCall(
      R"(\b(QueryString|QueryDword|QueryDwordOrMinusOne|SetString|SetDword|ReadString|)"
      R"(ReadRegistryString|WriteRegistryString|PathBesideDriver)\s*\()");
  Spellings found;
  for (const fs::path& file : CodeFiles()) {
    const std::string text = ReadWhole(file);
    const std::string where = fs::relative(file, kRoot).string();
    std::map<std::string, std::string> macros;
    for (std::sregex_iterator m(text.begin(), text.end(), kDefine), end; m != end; ++m) {
      std::string value;
      for (const Token& token : Tokens((*m)[2].str()))
        value += token.literal ? token.text : macros[token.text];
      macros[(*m)[1].str()] = value;
    }
    for (std::sregex_iterator m(text.begin(), text.end(), kConstant), end; m != end; ++m)
      AddJoined(Tokens((*m)[2].str()), macros, where, &found);
    for (std::sregex_iterator m(text.begin(), text.end(), kCall), end; m != end; ++m) {
      std::size_t i = m->position() + m->length();
      for (int depth = 1; i < text.size() && depth > 0; ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')') --depth;
        if (text[i] == '"') i = text.find('"', i + 1);
      }
      AddJoined(Tokens(text.substr(m->position(), i - m->position())), {}, where, &found);
    }
  }
  return found;
}

const std::string& Contract() {
  static const std::string text = ReadWhole(kRoot / "docs" / "contract.md");
  return text;
}

TEST(ContractReference, HasASectionForEveryExportOfTheListOfPages) {
  static const std::regex kPage(R"(^kelvra_page\((\w+))");
  const std::string list = ReadWhole(kRoot / "CMakeLists.txt");
  std::istringstream lines(list);
  int exports = 0;
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, kPage)) continue;
    ++exports;
    EXPECT_NE(Contract().find("\n## `" + m[1].str() + "`\n"), std::string::npos)
        << "no section for " << m[1];
  }
  EXPECT_GE(exports, 7);
}

TEST(ContractReference, NamesEverythingTheCodeSpells) {
  const Spellings found = SpelledNames();
  // The scan itself: constants joined from macros, table entries and call
  // literals are all seen.
  for (const char* known :
       {"Software\\Vorlane\\TrelSetup\\Version11\\Setups\\Options\\Ferrix", "_CANCELED", "JISGB",
        "PRODUCT_NAME", "TRELProduct", "SETUP_TRELPRODUCT"})
    EXPECT_EQ(found.count(known), 1u) << known << " was not found in the sources";
  for (const auto& [name, where] : found)
    EXPECT_NE(Contract().find(name), std::string::npos)
        << "docs/contract.md does not mention \"" << name << "\" (" << where << ")";
}

}  // namespace
