#include "io/mace4_file.h"

#include <cctype>

#include "core/algebra_store.h"
#include "core/limits.h"

namespace kest {

namespace {

// A cursor over the text that skips blanks and % comments.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  void skip() {
    while (at_ < text_.size()) {
      if (std::isspace(static_cast<unsigned char>(text_[at_]))) {
        ++at_;
      } else if (text_[at_] == '%') {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
      } else {
        break;
      }
    }
  }
  bool accept(char c) {
    skip();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool number(int64_t& v) {
    skip();
    const size_t start = at_;
    v = 0;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])) && at_ - start < 18) {
      v = v * 10 + (text_[at_++] - '0');
    }
    return at_ > start;
  }
  // A symbol: everything up to '(' ',' or blank (quoted names keep their quotes).
  std::string symbol() {
    skip();
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != '(' && text_[at_] != ',' &&
           !std::isspace(static_cast<unsigned char>(text_[at_]))) {
      ++at_;
    }
    return std::string(text_.substr(start, at_ - start));
  }
  // Skips a bracketed list [ ... ] whole.
  bool skipList() {
    if (!accept('[')) return false;
    for (int depth = 1; at_ < text_.size(); ++at_) {
      if (text_[at_] == '[') ++depth;
      if (text_[at_] == ']' && --depth == 0) {
        ++at_;
        return true;
      }
    }
    return false;
  }
  // The next real interpretation block: the word "interpretation" where
  // a line starts (blanks aside), outside a % comment, followed by "(".
  // Mace4 echoes its input, comments included, and a comment or formula
  // may hold the word anywhere else. False when there is none.
  bool nextInterpretation() {
    static constexpr std::string_view kWord = "interpretation";
    for (size_t found = text_.find(kWord, at_); found != std::string_view::npos; found = text_.find(kWord, found + 1)) {
      size_t lineStart = found;
      while (lineStart > 0 && (text_[lineStart - 1] == ' ' || text_[lineStart - 1] == '\t')) --lineStart;
      if (lineStart > 0 && text_[lineStart - 1] != '\n' && text_[lineStart - 1] != '\r') continue;
      size_t after = found + kWord.size();
      while (after < text_.size() && std::isspace(static_cast<unsigned char>(text_[after]))) ++after;
      if (after >= text_.size() || text_[after] != '(') continue;
      at_ = found + kWord.size();
      return true;
    }
    at_ = text_.size();
    return false;
  }
  size_t at() const { return at_; }
  size_t line() const {
    size_t n = 1;
    for (size_t i = 0; i < at_ && i < text_.size(); ++i) n += text_[i] == '\n';
    return n;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// function(NAME(_,_), [v, ...]) after "function" was read.
bool readFunction(Scanner& s, ForeignOperation& f, std::string& why, WorkPoll& poll) {
  if (!s.accept('(')) return false;
  f.name = visibleName(s.symbol());
  if (f.name.empty()) return false;
  f.arity = 0;
  if (s.accept('(')) {
    do {
      if (!s.accept('_')) return false;
      ++f.arity;
    } while (s.accept(','));
    if (!s.accept(')')) return false;
  }
  if (!s.accept(',') || !s.accept('[')) return false;
  if (!s.accept(']')) {
    do {
      int64_t v = 0;
      if (!s.number(v)) return false;
      if (v > INT32_MAX) {
        why = "function " + f.name + ": " + std::to_string(v) + " is out of range";
        return false;
      }
      f.values.push_back(static_cast<int32_t>(v));
      if (poll.add(1)) {
        why = "interrupted";
        return false;
      }
      if (static_cast<int64_t>(f.values.size()) > kMaxTableEntries) {
        why = "function " + f.name + " has more entries than an algebra's tables may hold";
        return false;
      }
    } while (s.accept(','));
    if (!s.accept(']')) return false;
  }
  return s.accept(')');
}

}  // namespace

std::optional<std::vector<ForeignAlgebra>> readMace4Text(std::string_view text, std::string& why, Progress& progress) {
  Scanner s(text);
  std::vector<ForeignAlgebra> out;
  WorkPoll poll(progress);
  size_t polled = 0;
  while (s.nextInterpretation()) {
    if (poll.add(static_cast<int64_t>(s.at() - polled) + 1)) {
      why = "interrupted";
      return std::nullopt;
    }
    polled = s.at();
    ForeignAlgebra a;
    a.name = "model " + std::to_string(out.size() + 1);
    if (static_cast<int64_t>(out.size()) >= kMaxAlgebras) {
      why = "it holds more models than the store has room for algebras";
      return std::nullopt;
    }
    auto malformed = [&] {
      why = "line " + std::to_string(s.line()) + ": " + a.name + " is not an interpretation(N, [...], [...])";
      return std::nullopt;
    };
    int64_t n = 0;
    if (!s.accept('(') || !s.number(n) || !s.accept(',') || !s.skipList() || !s.accept(',') || !s.accept('[')) {
      return malformed();
    }
    if (n > kMaxCardinality) {
      why = a.name + ": " + std::to_string(n) + " elements are more than an algebra can have";
      return std::nullopt;
    }
    a.card = n;
    if (!s.accept(']')) {
      do {
        const std::string kind = s.symbol();
        if (kind == "relation") {
          why = "line " + std::to_string(s.line()) + ": " + a.name + " has a relation, which an algebra cannot hold";
          return std::nullopt;
        }
        ForeignOperation f;
        if (kind != "function" || !readFunction(s, f, why, poll)) {
          if (!why.empty()) return std::nullopt;
          return malformed();
        }
        a.operations.push_back(std::move(f));
      } while (s.accept(','));
      if (!s.accept(']')) return malformed();
    }
    if (!s.accept(')')) return malformed();
    out.push_back(std::move(a));
  }
  if (out.empty()) {
    why = "no interpretation( ... ) in it";
    return std::nullopt;
  }
  return out;
}

}  // namespace kest
