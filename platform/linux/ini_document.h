#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumi::platform::linux_backend {

// Section and key names compare as the Windows ini functions compare them in the
// Windows-1251 code page: ASCII and Cyrillic letters without regard to case.
std::string FoldName(std::string_view name);

// The same folding for names stored as UTF-8: the very letters FoldName folds.
std::string FoldUtf8Name(std::string_view name);

// Space, tab, vertical tab and a stray carriage return: what is dropped around names
// and values.
std::string_view TrimBlanks(std::string_view text);

// Optional blanks, optional sign, decimal digits up to the first other character;
// wraps modulo 2^32 as the Windows integer read does. No digits give 0.
int32_t ParseProfileInteger(std::string_view text);

// One ini file parsed as the Windows private-profile functions see it, over the file's
// bytes exactly as they are. Edits splice the bytes, so every line the edit does not
// concern stays as it was, byte for byte.
//
// Reading rules: lines end at LF (a CR before it belongs to the line end); blanks
// around names and values do not count; a line whose first non-blank is ";" is a
// comment; "[name]" starts a section and text after "]" is ignored; a line without "="
// is not a key; lines before the first section belong to no section; the first of two
// equal sections or keys wins; one matching pair of outer quotes is removed from a
// value; a UTF-8 byte-order mark at the very start is not part of the first line.
//
// The program's texts are Windows-1251, and so are the files it writes. A file saved
// as UTF-8 by another editor, one that is well-formed UTF-8 and holds more than ASCII
// (a byte-order mark counts), is read as UTF-8: names and values given and answered
// stay Windows-1251, and what an edit writes into the file is UTF-8, so the file keeps
// its encoding (and its byte-order mark). Anything else is Windows-1251, byte for byte.
class IniDocument {
 public:
  enum class Encoding { Windows1251, Utf8 };
  static Encoding EncodingOf(std::string_view bytes);

  explicit IniDocument(std::string bytes);
  IniDocument(std::string bytes, Encoding encoding);

  const std::string& Bytes() const { return bytes_; }
  Encoding encoding() const { return encoding_; }

  // The value as read (in Windows-1251), or nothing when the section or the key is
  // missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  enum class Outcome {
    Changed,    // `bytes` holds the new file
    Unchanged,  // the key already reads as the value: nothing to write
    Rejected,   // the names or the value cannot be stored so that they read back
  };
  struct Edit {
    Outcome outcome;
    std::string bytes;
  };

  // The file with `key` of `section` set to `value`: an existing key's line is
  // rewritten, a new key goes after the last key of its section, a new section goes at
  // the end. Lines written end with CR LF; a last line without a line end gets one
  // before anything is appended after it.
  //
  // Rejected: a line break anywhere (it would forge further lines), "]" in the section
  // name, "=" in the key or a key starting with ";" or "[" (the line would read as
  // another key, a comment or a section), and Windows-1251 text that would turn a file
  // of other Windows-1251 text into well-formed UTF-8 (the file would read otherwise).
  Edit With(std::string_view section, std::string_view key, std::string_view value) const;

  // Every entry that a read can reach, in file order, names as stored (in
  // Windows-1251).
  void ForEach(const std::function<void(std::string_view section, std::string_view key,
                                        std::string_view value)>& visit) const;

 private:
  struct Span {
    size_t pos = 0;
    size_t len = 0;
  };
  struct Key {
    Span name;
    Span value;
    size_t line_start = 0;
    size_t line_end = 0;  // past the line's LF, if it has one
  };
  struct Section {
    Span name;
    std::vector<Key> keys;
    std::unordered_map<std::string, size_t> key_index;
    size_t insert_at = 0;  // end of the last key line, or of the header line
    bool insert_after_line_end = true;
  };

  std::string_view View(Span span) const { return std::string_view(bytes_).substr(span.pos, span.len); }
  void Parse();
  std::string Fold(std::string_view name) const;
  // A text of the program as stored in this file, and back.
  std::string Stored(std::string_view text) const;
  std::string Read(std::string_view stored) const;
  const Section* FindStoredSection(std::string_view section) const;
  Edit WithStored(std::string_view section, std::string_view key, std::string_view value) const;

  std::string bytes_;
  Encoding encoding_;
  size_t content_start_ = 0;  // past a byte-order mark
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> section_index_;
};

}  // namespace lumi::platform::linux_backend
