#include "io/xml_scanner.h"

#include <cstdint>

namespace kest {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
         c == '-' || c == '.' || u >= 0x80;
}

void appendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The value of a character reference's digits ("#10", "#x0A"), or nothing.
std::optional<uint32_t> characterReference(std::string_view ref) {
  const bool hex = ref.size() > 2 && (ref[1] == 'x' || ref[1] == 'X');
  std::string_view digits = ref.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t v = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    if (d < 0) return std::nullopt;
    v = v * (hex ? 16 : 10) + static_cast<uint32_t>(d);
  }
  if (v == 0 || v > 0x10FFFF) return std::nullopt;
  return v;
}

// Resolves the entities of raw into out; on failure, what and where (the
// offset in raw) say why.
bool decodeEntities(std::string_view raw, std::string& out, size_t& where, std::string& what) {
  out.clear();
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      out += raw[i];
      continue;
    }
    const size_t semi = raw.find(';', i);
    where = i;
    if (semi == std::string_view::npos || semi - i > 12) {
      what = "an unfinished entity";
      return false;
    }
    const std::string_view ref = raw.substr(i + 1, semi - i - 1);
    if (ref == "lt")
      out += '<';
    else if (ref == "gt")
      out += '>';
    else if (ref == "amp")
      out += '&';
    else if (ref == "quot")
      out += '"';
    else if (ref == "apos")
      out += '\'';
    else if (const std::optional<uint32_t> cp = ref.empty() || ref[0] != '#' ? std::nullopt : characterReference(ref)) {
      appendUtf8(out, *cp);
    } else {
      what = "an unknown entity &" + std::string(ref) + ";";
      return false;
    }
    i = semi;
  }
  return true;
}

}  // namespace

XmlScanner::Event XmlScanner::fail(size_t at, const std::string& what) {
  error_ = "malformed XML at byte " + std::to_string(at) + ": " + what;
  finished_ = true;
  return Event::kError;
}

std::optional<std::string> XmlScanner::attribute(std::string_view name) const {
  for (const auto& [key, raw] : attributes_) {
    if (key != name) continue;
    std::string out;
    size_t where = 0;
    std::string what;
    decodeEntities(raw, out, where, what);  // a bad value failed the tag already
    return out;
  }
  return std::nullopt;
}

bool XmlScanner::skipMarkup() {
  struct Kind {
    std::string_view open;
    std::string_view close;
  };
  static constexpr Kind kKinds[] = {{"<!--", "-->"}, {"<?", "?>"}};
  for (const Kind& k : kKinds) {
    if (text_.compare(at_, k.open.size(), k.open) != 0) continue;
    const size_t end = text_.find(k.close, at_ + k.open.size());
    if (end == std::string_view::npos) {
      fail(at_, "an unfinished comment or declaration");
      return false;
    }
    at_ = end + k.close.size();
    return true;
  }
  if (text_.compare(at_, 9, "<!DOCTYPE") == 0) {
    int brackets = 0;
    for (size_t i = at_ + 9; i < text_.size(); ++i) {
      if (text_[i] == '[') ++brackets;
      if (text_[i] == ']') --brackets;
      if (text_[i] == '>' && brackets <= 0) {
        at_ = i + 1;
        return true;
      }
    }
    fail(at_, "an unfinished DOCTYPE");
    return false;
  }
  return false;
}

XmlScanner::Event XmlScanner::startTag() {
  const size_t tagStart = at_;
  size_t i = at_ + 1;
  const size_t nameStart = i;
  while (i < text_.size() && isNameChar(text_[i])) ++i;
  if (i == nameStart) return fail(tagStart, "a '<' that starts no tag");
  const std::string_view name = text_.substr(nameStart, i - nameStart);
  if (open_.empty() && rootSeen_) return fail(tagStart, "a second root element <" + std::string(name) + ">");
  attributes_.clear();
  std::string scratch;
  for (;;) {
    while (i < text_.size() && isBlank(text_[i])) ++i;
    if (i >= text_.size()) return fail(tagStart, "the tag <" + std::string(name) + "> is not closed");
    if (text_[i] == '>' || text_.compare(i, 2, "/>") == 0) break;
    const size_t keyStart = i;
    while (i < text_.size() && isNameChar(text_[i])) ++i;
    const std::string_view key = text_.substr(keyStart, i - keyStart);
    while (i < text_.size() && isBlank(text_[i])) ++i;
    if (key.empty() || i >= text_.size() || text_[i] != '=')
      return fail(i, "a malformed attribute in <" + std::string(name) + ">");
    ++i;
    while (i < text_.size() && isBlank(text_[i])) ++i;
    if (i >= text_.size() || (text_[i] != '"' && text_[i] != '\'')) return fail(i, "an attribute value without quotes");
    const char quote = text_[i];
    const size_t valueEnd = text_.find(quote, i + 1);
    if (valueEnd == std::string_view::npos) return fail(i, "an unfinished attribute value");
    const std::string_view raw = text_.substr(i + 1, valueEnd - i - 1);
    if (raw.find('<') != std::string_view::npos) return fail(i, "a '<' inside an attribute value");
    size_t where = 0;
    std::string what;
    if (!decodeEntities(raw, scratch, where, what)) return fail(i + 1 + where, what);
    attributes_.emplace_back(key, raw);
    i = valueEnd + 1;
  }
  const bool selfClosing = text_[i] == '/';
  at_ = i + (selfClosing ? 2 : 1);
  rootSeen_ = true;
  name_ = name;
  open_.push_back(name);
  pendingEnd_ = selfClosing;
  return Event::kStart;
}

XmlScanner::Event XmlScanner::endTag() {
  const size_t tagStart = at_;
  size_t i = at_ + 2;
  const size_t nameStart = i;
  while (i < text_.size() && isNameChar(text_[i])) ++i;
  const std::string_view name = text_.substr(nameStart, i - nameStart);
  while (i < text_.size() && isBlank(text_[i])) ++i;
  if (i >= text_.size() || text_[i] != '>') return fail(tagStart, "a malformed end tag");
  if (open_.empty()) return fail(tagStart, "</" + std::string(name) + "> closes no element");
  if (open_.back() != name) {
    return fail(tagStart, "</" + std::string(name) + "> where <" + std::string(open_.back()) + "> is open");
  }
  open_.pop_back();
  at_ = i + 1;
  name_ = name;
  return Event::kEnd;
}

XmlScanner::Event XmlScanner::textRun() {
  if (text_.compare(at_, 9, "<![CDATA[") == 0) {
    const size_t end = text_.find("]]>", at_ + 9);
    if (end == std::string_view::npos) return fail(at_, "an unfinished CDATA section");
    if (open_.empty()) return fail(at_, "text outside the root element");
    text_buffer_.assign(text_.substr(at_ + 9, end - at_ - 9));
    at_ = end + 3;
    return Event::kText;
  }
  const size_t start = at_;
  const size_t end = std::min(text_.find('<', at_), text_.size());
  const std::string_view raw = text_.substr(start, end - start);
  at_ = end;
  if (open_.empty()) {
    for (char c : raw) {
      if (!isBlank(c)) return fail(start, "text outside the root element");
    }
    return next();
  }
  size_t where = 0;
  std::string what;
  if (!decodeEntities(raw, text_buffer_, where, what)) return fail(start + where, what);
  return Event::kText;
}

XmlScanner::Event XmlScanner::next() {
  if (finished_) return error_.empty() ? Event::kDone : Event::kError;
  if (pendingEnd_) {
    pendingEnd_ = false;
    open_.pop_back();
    return Event::kEnd;
  }
  for (;;) {
    if (at_ >= text_.size()) {
      if (!open_.empty()) return fail(at_, "the file ends inside <" + std::string(open_.back()) + ">");
      if (!rootSeen_) return fail(at_, "no root element");
      finished_ = true;
      return Event::kDone;
    }
    if (text_[at_] != '<' || text_.compare(at_, 9, "<![CDATA[") == 0) return textRun();
    if (text_.compare(at_, 2, "<!") == 0 || text_.compare(at_, 2, "<?") == 0) {
      if (!skipMarkup()) return finished_ ? Event::kError : fail(at_, "an unknown declaration");
      continue;
    }
    if (text_.compare(at_, 2, "</") == 0) return endTag();
    return startTag();
  }
}

}  // namespace kest
