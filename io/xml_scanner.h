// A pull scanner for the XML of other tools' algebra files: start tags with
// their attributes, text (entities resolved, CDATA taken as it stands) and
// end tags, one event at a time; comments, processing instructions and a
// DOCTYPE are passed over. It keeps only the names of the open elements, so
// reading a file costs no more memory than the file itself: no tree of
// millions of nodes is ever built. Well-formedness is checked on the way:
// tags nest, there is one root, and nothing but blanks stands outside it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kest {

class XmlScanner {
 public:
  enum class Event { kStart, kText, kEnd, kDone, kError };

  explicit XmlScanner(std::string_view text) : text_(text) {}

  // The next event. A self-closing tag gives kStart, then kEnd. After
  // kDone or kError every call gives the same again.
  Event next();

  // The element of the last kStart or kEnd.
  std::string_view name() const { return name_; }
  // The text of the last kText, decoded.
  const std::string& text() const { return text_buffer_; }
  // An attribute of the last start tag, decoded.
  std::optional<std::string> attribute(std::string_view name) const;
  // Elements open now (after a kStart its element counts).
  size_t depth() const { return open_.size(); }
  // "malformed XML at byte 299: </op> closes <opTable>" after kError.
  const std::string& error() const { return error_; }
  // Where the scanner stands in the text.
  size_t position() const { return at_; }

 private:
  Event fail(size_t at, const std::string& what);
  Event startTag();
  Event endTag();
  Event textRun();
  bool skipMarkup();  // a comment, a processing instruction or a DOCTYPE

  std::string_view text_;
  size_t at_ = 0;
  std::vector<std::string_view> open_;
  std::vector<std::pair<std::string_view, std::string_view>> attributes_;
  std::string_view name_;
  std::string text_buffer_;
  std::string error_;
  bool rootSeen_ = false;
  bool pendingEnd_ = false;  // the end of a self-closing tag comes next
  bool finished_ = false;
};

}  // namespace kest
