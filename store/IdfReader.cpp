#include "store/IdfReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "base/Text.h"
#include "base/WholeFile.h"

namespace verdanto {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// After this many fault messages of one file the user is asked whether to see the rest.
constexpr std::size_t kFaultsBeforeAsking = 10;

bool IsUtf16(std::string_view text) { return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"); }

bool RefuseUtf16(std::string_view text, std::string_view name, Prompter& prompter) {
  if (!IsUtf16(text)) return false;
  const std::string shown(name);
  prompter.Show(Format("%s is UTF-16 text; save it as UTF-8 or ANSI text.", shown.c_str()), kAppCaption, Icon::Error,
                Buttons::Ok);
  return true;
}
// A binary file can make a "class name" megabytes long; a message shows its start.
constexpr std::size_t kShownNameLimit = 200;

std::string ShownName(std::string_view name) {
  if (name.size() <= kShownNameLimit) return std::string(name);
  return std::string(name.substr(0, kShownNameLimit)) + "...";
}

std::uint32_t ProgressValue(std::size_t position) {
  return static_cast<std::uint32_t>(std::min<std::size_t>(position, std::numeric_limits<std::uint32_t>::max()));
}

enum class Fault { UnknownClass, TooManyFields, TooManyObjects };

// One pass over one text: the parser keeps the positions of the next "!", ","
// and ";" and searches again only when the cursor has passed them.
class IdfParser {
 public:
  // `file`, when the text is a file's, gets back the pages the parser has passed.
  IdfParser(std::string_view text, std::string_view name, Dictionary& store, ProgressSink& progress,
            Prompter& prompter, WholeFile* file)
      : text_(text), name_(name), store_(store), progress_(progress), prompter_(prompter), file_(file) {}

  void Run() {
    progress_.SetRange(ProgressValue(text_.size()));
    std::size_t cursor = text_.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    bang_ = Search('!', cursor);
    comma_ = Search(',', cursor);
    semicolon_ = Search(';', cursor);
    while (cursor < text_.size()) {
      std::size_t next = 0;
      const std::size_t lineEnd = FindLineEnd(text_, cursor, next);
      ++line_;
      cursor = ReadTokens(cursor, lineEnd);
      const std::size_t bang = Next('!', bang_, cursor);
      if (state_ == State::InObject) {
        // Kept in case the file ends before this object's next delimiter.
        const std::string_view rest = TrimBlanks(text_.substr(cursor, std::min(bang, lineEnd) - cursor));
        if (!rest.empty()) dangling_ = rest;
      }
      if (bang < lineEnd) OnComment(text_.substr(bang + 1, lineEnd - bang - 1));
      if (step_ * text_.size() / 100 < next) {
        progress_.SetPosition(ProgressValue(next));
        ++step_;
        if (file_) file_->Release(cursor);
      }
      cursor = next;
    }
    Finish();
  }

 private:
  enum class State { Outside, InObject, Skipping };  // Skipping: the rest of a rejected object
  struct ValueRef {  // a stored value and the line it was read on
    bool valid = false;
    std::uint16_t group = 0, classNo = 0, field = 0, object = 0;
    std::size_t line = 0;
  };

  std::size_t Search(char c, std::size_t from) const {
    if (from >= text_.size()) return text_.size();
    const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : text_.size();
  }
  // "Not found" is text_.size(), which no cursor passes, so it is never searched again.
  std::size_t Next(char c, std::size_t& cached, std::size_t from) const {
    if (cached < from) cached = Search(c, from);
    return cached;
  }

  // Handles the tokens of one line; returns where the line's tokens end.
  std::size_t ReadTokens(std::size_t cursor, std::size_t lineEnd) {
    while (cursor < lineEnd) {
      const std::size_t stop = std::min(Next('!', bang_, cursor), lineEnd);
      const std::size_t comma = Next(',', comma_, cursor);
      const std::size_t semicolon = Next(';', semicolon_, cursor);
      if (comma < stop && comma < semicolon) {
        OnComma(TrimBlanks(text_.substr(cursor, comma - cursor)));
        cursor = comma + 1;
      } else if (semicolon < stop) {
        OnSemicolon(TrimBlanks(text_.substr(cursor, semicolon - cursor)));
        cursor = semicolon + 1;
      } else {
        break;  // text after the last delimiter belongs to no token
      }
    }
    return cursor;
  }

  void OnComma(std::string_view token) {
    dangling_ = {};
    switch (state_) {
      case State::Outside: StartObject(token); break;
      case State::InObject:
        // The last field's value must end with ";", so a comma after it is one value too many.
        if (field_ + 1u < class_->fields.size())
          StoreValue(token);
        else
          RemoveObject();
        break;
      case State::Skipping: DropLine(); break;
    }
  }

  void OnSemicolon(std::string_view token) {
    dangling_ = {};
    switch (state_) {
      case State::Outside: break;  // no object to end
      case State::InObject:
        if (field_ < class_->fields.size()) {
          StoreValue(token);
          state_ = State::Outside;
        } else {
          RemoveObject();
          state_ = State::Outside;
        }
        break;
      case State::Skipping:
        DropLine();
        state_ = State::Outside;
        break;
    }
  }

  void StartObject(std::string_view name) {
    // Objects of one class usually follow each other: no lookup for them.
    if (!hasPrevious_ || !EqualsNoCase(name, previousName_)) {
      std::uint16_t g = 0;
      std::uint16_t c = 0;
      if (name.empty() || !store_.FindClass(name, g, c)) return Reject(Fault::UnknownClass, name);
      group_ = g;
      classNo_ = c;
      class_ = &store_.GetClass(g, c);
      previousName_ = name;
      hasPrevious_ = true;
    }
    if (class_->objectLayers.size() >= kMaxCount) return Reject(Fault::TooManyObjects, class_->name);
    object_ = store_.AddObject(group_, classNo_, 0);
    objectLine_ = line_;
    beforeObject_ = last_;
    if (droppedLine_ == line_) droppedLine_ = 0;  // what follows on the line is no longer the rejected object's
    class_->objectLines[object_] = static_cast<std::uint32_t>(line_);  // where findings point the user
    field_ = 0;
    state_ = State::InObject;
  }

  void StoreValue(std::string_view token) {
    const auto field = static_cast<std::uint16_t>(field_);
    // An empty value with no comment is what the store holds anyway: no cell for it.
    if (!token.empty() || hasPending_) {
      FieldValue& value = store_.GetValue(group_, classNo_, field, object_);
      value.value = store_.ReadText(token);
      if (hasPending_) {
        value.comment = store_.ReadText(pending_);
        pending_.clear();
        hasPending_ = false;
      }
    }
    last_ = {true, group_, classNo_, field, object_, line_};
    ++field_;
  }

  void RemoveObject() {
    store_.DeleteObject(group_, classNo_, object_);
    last_ = beforeObject_;  // the removed object's values are gone with it
    Reject(Fault::TooManyFields, class_->name);
  }

  // At the end of the text: an object left open keeps the value its last line
  // began, and comments after the last object stay with the last value read.
  void Finish() {
    const bool open = state_ == State::InObject;
    if (open && !dangling_.empty()) OnSemicolon(dangling_);
    if (open && state_ != State::Skipping) {  // not when the value was one too many
      const std::string shown = ShownName(class_->name);
      Report(Format("The text ends inside the object of class \"%s\" begun on line %zu.\r\nThe object is kept with "
                    "the values read.",
                    shown.c_str(), objectLine_));
    }
    if (hasPending_ && last_.valid) AppendLine(CommentOf(last_), pending_);
    if (unshown_ > 0) {
      const std::string name(name_);
      prompter_.Show(unshown_ == 1 ? Format("1 more fault in %s was not shown.", name.c_str())
                                   : Format("%zu more faults in %s were not shown.", unshown_, name.c_str()),
                     kIdfErrorCaption, Icon::Exclamation, Buttons::Ok);
    }
  }

  CompactText& CommentOf(const ValueRef& ref) {
    return store_.GetValue(ref.group, ref.classNo, ref.field, ref.object).comment;
  }

  // Shows a fault message, unless the user chose after the first ones not to see more.
  void Report(const std::string& text) {
    if (++faults_ > kFaultsBeforeAsking && !asked_) {
      asked_ = true;
      const std::string name(name_);
      // Only a plain No stops the messages: closing the box decides nothing.
      quiet_ = prompter_.Show(Format("There are more faults in %s.\r\nDo you want to go on reporting them?",
                                     name.c_str()),
                              kIdfErrorCaption, Icon::Question, Buttons::YesNo) == Answer::No;
    }
    if (quiet_) {
      ++unshown_;
      return;
    }
    prompter_.Show(text, kIdfErrorCaption, Icon::Exclamation, Buttons::Ok);
  }

  // Reports the fault and skips the rest of the object up to its ";".
  void Reject(Fault fault, std::string_view name) {
    const std::string shown = ShownName(name);
    std::string text;
    switch (fault) {
      case Fault::UnknownClass:
        text = Format("Object class \"%s\" not recognized on line %zu.\r\nThis object will not be loaded.",
                      shown.c_str(), line_);
        break;
      case Fault::TooManyFields:
        text = Format("Too many fields in object class \"%s\" on line %zu.\r\nThis object will not be loaded.",
                      shown.c_str(), line_);
        break;
      case Fault::TooManyObjects:
        text = Format("Too many objects in object class \"%s\" on line %zu.\r\nThis object will not be loaded.",
                      shown.c_str(), line_);
        break;
    }
    Report(text);
    pending_.clear();
    hasPending_ = false;
    field_ = 0;
    state_ = State::Skipping;
    DropLine();
  }

  // A comment on a line that holds part of an object that was not loaded belongs
  // to that object and goes with it.
  void DropLine() { droppedLine_ = line_; }

  // A comment goes to the last value stored on its line; else, unless it belongs
  // to an object that was not loaded, it waits for the next value.
  void OnComment(std::string_view comment) {
    if (comment.empty() || comment.front() == '-') return;  // "!-" texts are generated, not kept
    if (comment.front() == kCommentEscape) comment.remove_prefix(1);
    if (last_.valid && last_.line == line_) return AppendLine(CommentOf(last_), comment);
    if (droppedLine_ == line_ || state_ == State::Skipping) return;
    if (hasPending_) pending_ += "\r\n";
    pending_ += comment;
    hasPending_ = true;
  }

  void AppendLine(CompactText& target, std::string_view line) {
    scratch_.assign(target.view());
    if (!scratch_.empty()) scratch_ += "\r\n";
    scratch_ += line;
    target = scratch_;
  }

  std::string_view text_;
  std::string_view name_;  // of the file, for messages
  Dictionary& store_;
  ProgressSink& progress_;
  Prompter& prompter_;
  WholeFile* file_;

  std::size_t bang_ = 0, comma_ = 0, semicolon_ = 0;  // next delimiter positions
  std::size_t line_ = 0;
  std::uint64_t step_ = 1;

  State state_ = State::Outside;
  std::uint16_t group_ = 0, classNo_ = 0, object_ = 0;
  DictClass* class_ = nullptr;
  std::size_t field_ = 0;
  std::string_view previousName_;
  bool hasPrevious_ = false;

  std::size_t objectLine_ = 0;       // where the current object began
  std::string_view dangling_;        // text after the last delimiter while an object is open
  ValueRef last_;                    // the last value stored
  ValueRef beforeObject_;            // last_ before the current object began
  std::size_t droppedLine_ = 0;      // the last line holding text of an object that was not loaded

  std::size_t faults_ = 0, unshown_ = 0;
  bool asked_ = false, quiet_ = false;

  bool hasPending_ = false;  // pending_ may hold one empty line
  std::string pending_;
  std::string scratch_;
};

// A read that fails part-way takes back every object it added (they alone carry
// layer id 0), so that no later open hands them to its own layer.
bool ParseOrUndo(std::string_view text, std::string_view name, Dictionary& store, ProgressSink& progress,
                 Prompter& prompter, WholeFile* file = nullptr) {
  try {
    IdfParser(text, name, store, progress, prompter, file).Run();
    return true;
  } catch (const std::bad_alloc&) {
    store.DeleteLayerObjects(0);
    const std::string shown(name);
    prompter.Show(Format("Not enough memory to read %s.", shown.c_str()), kAppCaption, Icon::Error, Buttons::Ok);
    return false;
  }
}

}  // namespace

bool LoadInputText(std::string_view text, Dictionary& store, ProgressSink& progress, Prompter& prompter,
                   std::string_view name) {
  if (const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size()))
    text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
  if (RefuseUtf16(text, name, prompter)) return false;
  return ParseOrUndo(text, name, store, progress, prompter);
}

bool LoadInputFile(const std::string& path, Dictionary& store, ProgressSink& progress, Prompter& prompter) {
  WholeFile file;
  if (file.Read(path) != ReadStatus::Ok) {
    prompter.Show(Format("Unable to open %s.", path.c_str()), kAppCaption, Icon::Error, Buttons::Ok);
    return false;
  }
  const std::string_view text = file.text();  // a scan of the whole file for a NUL: once
  if (RefuseUtf16(text, path, prompter)) return false;
  return ParseOrUndo(text, path, store, progress, prompter, &file);
}

}  // namespace verdanto
