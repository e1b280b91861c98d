#include "drawing/DxfScan.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>

#include "drawing/Geometry.h"

namespace verdanto {
namespace {

// dxflib reads lines into a buffer of 1024 bytes.
constexpr std::size_t kMaxValueLength = 1000;
constexpr std::size_t kQuoteLength = 40;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string Quote(std::string_view s) {
  std::string quoted(s.substr(0, kQuoteLength));
  for (char& c : quoted)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return "\"" + quoted + (s.size() > kQuoteLength ? "...\"" : "\"");
}

enum class ValueType { Text, Real, Integer };

ValueType TypeOf(int code) {
  if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
      (code >= 1010 && code <= 1059))
    return ValueType::Real;
  if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 289) ||
      (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 1060 && code <= 1071))
    return ValueType::Integer;
  return ValueType::Text;
}

// The groups dxflib is given of each kind it reads; the rest it does not need.
bool Passes(std::string_view kind, int code) {
  if (code == 8 || code == 62 || code == 210 || code == 220 || code == 230) return true;
  auto in = [code](std::initializer_list<int> codes) {
    for (const int c : codes)
      if (c == code) return true;
    return false;
  };
  if (kind == "LINE") return in({10, 20, 30, 11, 21, 31});
  if (kind == "ARC") return in({10, 20, 30, 40, 50, 51});
  if (kind == "CIRCLE") return in({10, 20, 30, 40});
  if (kind == "3DFACE") return in({10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33});
  if (kind == "LWPOLYLINE") return in({70, 38, 10, 20, 42});
  if (kind == "POLYLINE") return in({30, 66, 70});
  if (kind == "VERTEX") return in({10, 20, 30, 42, 70});
  if (kind == "TEXT") return in({1, 7, 10, 20, 30, 11, 21, 31, 40, 41, 50, 72, 73});
  if (kind == "MTEXT") return in({1, 3, 7, 10, 20, 30, 11, 21, 31, 40, 41, 50, 71, 72});
  return false;
}

bool IsReadable(std::string_view kind) {
  static const std::set<std::string_view> kinds = {"LINE", "ARC",  "CIRCLE", "3DFACE", "LWPOLYLINE",
                                                    "POLYLINE", "TEXT", "MTEXT"};
  return kinds.contains(kind);
}

// A number as dxflib should read it, or none for a value that is no number
// or too large to compute with.
std::optional<std::string> CheckedNumber(ValueType type, std::string_view value) {
  value = Trim(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  const char* end = value.data() + value.size();
  char text[32];
  if (type == ValueType::Real) {
    double number = 0;
    const auto read = std::from_chars(value.data(), end, number);
    if (read.ec != std::errc() || read.ptr != end || !IsUsableCoordinate(number)) return std::nullopt;
    const auto written = std::to_chars(text, text + sizeof text, number);
    return std::string(text, written.ptr);
  }
  std::int32_t number = 0;
  const auto read = std::from_chars(value.data(), end, number);
  if (read.ec != std::errc() || read.ptr != end) return std::nullopt;
  return std::to_string(number);
}

struct Group {
  int code = 0;
  std::string_view value;
};

struct Record {
  std::string_view kind;
  std::vector<Group> groups;

  std::string_view Value(int code) const {
    for (const Group& g : groups)
      if (g.code == code) return Trim(g.value);
    return {};
  }
};

class Scanner {
 public:
  Scanner(std::string_view text, DxfScan& scan) : text_(text), scan_(scan) {}

  bool Run(std::string& error);

 private:
  enum class Sequence { None, Polyline, Skipped };

  bool NextLine(std::string_view& line);
  void Finish(const Record& record);
  void Entity(const Record& record);
  bool Emit(const Record& record);
  void EndSequence();

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t lineNumber_ = 0;
  DxfScan& scan_;
  std::string section_;
  Sequence sequence_ = Sequence::None;
};

bool Scanner::NextLine(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', position_);
  const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(position_, stop - position_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  position_ = stop + 1;
  ++lineNumber_;
  return true;
}

bool Scanner::Run(std::string& error) {
  Record record;
  bool started = false;
  std::string_view codeLine;
  std::string_view value;
  while (NextLine(codeLine)) {
    const std::size_t codeLineNumber = lineNumber_;
    int code = 0;
    const std::string_view trimmed = Trim(codeLine);
    const auto read = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), code);
    if (trimmed.empty() || read.ec != std::errc() || read.ptr != trimmed.data() + trimmed.size() || code < -5 ||
        code > 1071) {
      error = "Line " + std::to_string(codeLineNumber) + ": a group code was expected, not " + Quote(codeLine) +
              ". This is not a DXF file, or a damaged one.";
      return false;
    }
    if (!NextLine(value)) break;
    if (code != 0) {
      if (started) record.groups.push_back({code, value});
      continue;
    }
    if (started) Finish(record);
    record.kind = Trim(value);
    record.groups.clear();  // keeps its room for the next record
    started = true;
    if (record.kind == "EOF") {
      EndSequence();
      scan_.readable += "0\nENDSEC\n0\nEOF\n";
      return true;
    }
  }
  error = started ? "The file ends before its end-of-file mark: it is truncated."
                  : "The file is empty or not a DXF file.";
  return false;
}

void Scanner::Finish(const Record& record) {
  if (record.kind == "SECTION") {
    section_ = std::string(record.Value(2));
  } else if (record.kind == "ENDSEC") {
    if (section_ == "ENTITIES") EndSequence();
    section_.clear();
  } else if (section_ == "ENTITIES") {
    Entity(record);
  }
}

void Scanner::EndSequence() {
  if (sequence_ == Sequence::Polyline) scan_.readable += "0\nSEQEND\n";
  sequence_ = Sequence::None;
}

void Scanner::Entity(const Record& record) {
  const std::string kind(record.kind);
  if (kind == "VERTEX" || kind == "SEQEND") {
    if (sequence_ == Sequence::Polyline && kind == "VERTEX") {
      if (!Emit(record)) ++scan_.unusable[kind];
    } else if (sequence_ == Sequence::None && kind == "VERTEX") {
      ++scan_.unusable[kind];
    }
    if (kind == "SEQEND") EndSequence();
    return;
  }
  if (kind == "ATTRIB" && sequence_ == Sequence::Skipped) return;
  EndSequence();
  if (!IsReadable(kind)) {
    ++scan_.unsupported[kind.empty() ? std::string("(unnamed)") : kind];
    if (kind == "INSERT" && record.Value(66) == "1") sequence_ = Sequence::Skipped;
    return;
  }
  if (kind == "POLYLINE") {
    const auto flags = CheckedNumber(ValueType::Integer, record.Value(70).empty() ? "0" : record.Value(70));
    if (flags && (std::stoi(*flags) & (16 | 64))) {
      ++scan_.unsupported["POLYLINE (mesh)"];
      sequence_ = Sequence::Skipped;
      return;
    }
  }
  if (!Emit(record)) {
    ++scan_.unusable[kind];
    if (kind == "POLYLINE") sequence_ = Sequence::Skipped;
    return;
  }
  if (kind == "POLYLINE") sequence_ = Sequence::Polyline;
}

bool Scanner::Emit(const Record& record) {
  ScannedEntity entity{std::string(record.kind), {}, {}};
  std::string body;
  std::string vertices;
  int vertexCount = 0;
  const bool lightweight = record.kind == "LWPOLYLINE";
  bool inXData = false;
  for (const Group& group : record.groups) {
    if (group.code == 1001) inXData = true;
    if (group.code >= 1000 || inXData) {
      entity.xdata.push_back({group.code, std::string(Trim(group.value).substr(0, kMaxValueLength))});
      continue;
    }
    if (group.code == 5) entity.handle = std::string(Trim(group.value));
    if (!Passes(record.kind, group.code)) continue;
    std::string value;
    const ValueType type = TypeOf(group.code);
    if (type == ValueType::Text) {
      value = std::string(group.value.substr(0, kMaxValueLength));
      if (group.value.size() > kMaxValueLength) ++scan_.shortenedTexts;
    } else {
      std::optional<std::string> number = CheckedNumber(type, group.value);
      if (!number) return false;
      value = std::move(*number);
    }
    std::string& into = (lightweight && (group.code == 10 || group.code == 20 || group.code == 42)) ? vertices : body;
    if (lightweight && group.code == 10) ++vertexCount;
    // dxflib files a bulge under the vertex before it: none before the first.
    if (lightweight && group.code == 42 && vertexCount == 0) continue;
    into.append(std::to_string(group.code)).append("\n").append(value).append("\n");
  }
  const std::size_t index = scan_.entities.size();
  if (index == 0) scan_.readable += "0\nSECTION\n2\nENTITIES\n";
  char hex[20];
  const auto written = std::to_chars(hex, hex + sizeof hex, index, 16);
  scan_.readable.append("0\n").append(record.kind).append("\n5\n").append(hex, written.ptr).append("\n");
  scan_.readable += body;
  if (lightweight) scan_.readable.append("90\n").append(std::to_string(vertexCount)).append("\n").append(vertices);
  scan_.entities.push_back(std::move(entity));
  return true;
}

}  // namespace

bool ScanDxf(std::string_view text, DxfScan& scan, std::string& error) {
  scan = DxfScan{};
  if (text.starts_with("AutoCAD Binary DXF")) {
    error = "This is a binary DXF file; only text DXF files can be read.";
    return false;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 byte order mark
  if (text.find('\0') != std::string_view::npos) {
    error = "The file holds binary data: it is not a text DXF file.";
    return false;
  }
  scan.readable.reserve(text.size() + 64);  // at most the text and the section marks
  if (!Scanner(text, scan).Run(error)) return false;
  if (scan.entities.empty()) scan.readable = "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
  return true;
}

}  // namespace verdanto
