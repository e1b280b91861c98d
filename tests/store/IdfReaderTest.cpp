#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

#include "store/IdfReader.h"
#include "base/Text.h"
#include "support/TempFolder.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"
#include "tests/support/StoreInvariants.h"

namespace verdanto {
namespace {

using testing::BuildSampleDictionary;
using testing::DumpObjects;
using testing::ExpectColumnsFollowValues;
using testing::RecordingProgress;
using testing::RecordingPrompter;

std::string Fault(const char* what, std::string_view name, int line, const char* then) {
  return Format(what, static_cast<int>(name.size()), name.data(), line) + "\r\n" + then;
}
std::string UnknownClass(std::string_view name, int line) {
  return Fault("Object class \"%.*s\" not recognized on line %d.", name, line, "This object will not be loaded.");
}
std::string TooManyFields(std::string_view name, int line) {
  return Fault("Too many fields in object class \"%.*s\" on line %d.", name, line, "This object will not be loaded.");
}
std::string EndsInObject(std::string_view name, int line) {
  return Fault("The text ends inside the object of class \"%.*s\" begun on line %d.", name, line,
               "The object is kept with the values read.");
}

// Reads `text` into the sample dictionary and checks that every class holds as
// many values per field as it has objects.
struct Read {
  Dictionary store;
  RecordingPrompter prompter;
  RecordingProgress progress;
  explicit Read(std::string_view text) {
    BuildSampleDictionary(store);
    EXPECT_TRUE(LoadInputText(text, store, progress, prompter));
    ExpectColumnsFollowValues(store);
  }
  std::string Dump() const { return DumpObjects(store); }
};

TEST(IdfReader, ReadsObjectsAndCommentsAndReportsFaults) {
  const std::string z = "Zone: [a] [] [] []\n";  // the most common result
  // The text, DumpObjects of the result, the messages in order.
  const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
      // clang-format off
      {"zONE, a;", z, {}},
      {"Zone, a, 1, 2, 3;", "Zone: [a] [1] [2] [3]\n", {}},
      {"Zone, , ,2,;", "Zone: [] [] [2] []\n", {}},
      {"Zone,\t a b \v,\f 1\t;", "Zone: [a b] [1] [] []\n", {}},
      {"Zone,a;Zone,b;Wall,w,a;", z + "Zone: [b] [] [] []\nWall: [w] [a] []\n", {}},
      {"\n\r\n\nFoo, x;\r\n\nBar;Baz,\n", "", {UnknownClass("Foo", 4), UnknownClass("Baz", 6)}},
      {"\xEF\xBB\xBFZone, a;", z, {}},                     // byte-order mark
      {"Zone, a, 1\r\n 5;", "Zone: [a] [5] [] []\n", {}},  // text after a line's last delimiter is dropped
      {"; x ;Zone, a;", z, {}},
      {"Lead Input;", "", {}},
      {"Lead Input, x; Zone, a;", z, {TooManyFields("Lead Input", 1)}},
      {"Zone, a, 1,\r\n", "Zone: [a] [1] [] []\n", {EndsInObject("Zone", 1)}},
      {"Zone, Z1, 0.5", "Zone: [Z1] [0.5] [] []\n", {EndsInObject("Zone", 1)}},  // the last value is kept
      {"Zone, a;\r\nZone,\r\n Z1,\r\n 0.5  ! c\r\n! d\r\n", "Zone: [a] [] [] []\nZone: [Z1] [0.5 ! c\\n d] [] []\n",
       {EndsInObject("Zone", 2)}},
      {std::string("Zone, a;\0Zone, b;", 17), z, {}},
      {"Foo,\r\n Zone,\r\n Bar,\r\n x;\r\nZone, a;", z, {UnknownClass("Foo", 1)}},
      {"Zone, b;\r\n,\r\nx;Zone, a;", "Zone: [b] [] [] []\n" + z, {UnknownClass("", 2)}},
      {"Wall, w, z, 1, 2;\r\nWall, v;", "Wall: [v] [] []\n", {TooManyFields("Wall", 1)}},
      {"wall, w,\r\n z,\r\n 1,\r\n 2,\r\n 3;\r\nZone, a;", z, {TooManyFields("Wall", 3)}},
      // The class found for one object is reused only while the name matches.
      {"Zone,a;\r\nZONE,b;\r\nWall,w;\r\nFoo,x;\r\nzone,d;",
       z + "Zone: [b] [] [] []\nZone: [d] [] [] []\nWall: [w] [] []\n", {UnknownClass("Foo", 4)}},
      {std::string(1000, 'x') + ", a;\nZone, a;", z, {UnknownClass(std::string(200, 'x') + "...", 1)}},
      {"Zone, a, ! x, y; z \r\n 1;", "Zone: [a ! x, y; z ] [1] [] []\n", {}},  // kept whole, delimiters and all
      {"Zone,\r\n a, !- Name\r\n 1; !- North\r\n", "Zone: [a] [1] [] []\n", {}},
      {"Zone,\r\n a, !\r\n 1;", "Zone: [a] [1] [] []\n", {}},
      {"! one\r\n!two\r\nZone, a;", "Zone: [a ! one\\ntwo] [] [] []\n", {}},
      {"Zone, ! c\r\n a;", "Zone: [a ! c] [] [] []\n", {}},
      {"Zone,\r\n a,\r\n ! c\r\n 1;", "Zone: [a] [1 ! c] [] []\n", {}},
      {"Zone,\r\n!p\r\n a, !s\r\n;", "Zone: [a !p\\ns] [] [] []\n", {}},
      {"Zone, a, 1, 2; !c", "Zone: [a] [1] [2 !c] []\n", {}},
      {"Zone, a;\r\n! between\r\nZone, b;", z + "Zone: [b ! between] [] [] []\n", {}},
      {"Zone, a;\r\n! last", "Zone: [a ! last] [] [] []\n", {}},  // comments after the last object stay
      {"Zone, a, 1; !c\r\n\r\n! after\r\n!more", "Zone: [a] [1 !c\\n after\\nmore] [] []\n", {}},
      {"! c\r\nFoo, x;\r\nZone, a;", z, {UnknownClass("Foo", 2)}},
      {"Foo, x, ! on the line\r\n ! inside\r\n y; ! at its end\r\nZone, a;", z, {UnknownClass("Foo", 1)}},
      {"Zone, a;\r\nZone, b, 1, 2, 3, 4; ! gone\r\n", z, {TooManyFields("Zone", 2)}},
      // A rejected object takes only the comments that are its own.
      {"Zone,Z1;Foo,1; ! keep me", "Zone: [Z1 ! keep me] [] [] []\n", {UnknownClass("Foo", 1)}},
      {"Foo,1;Zone, ! for Z2\r\nZ2;", "Zone: [Z2 ! for Z2] [] [] []\n", {UnknownClass("Foo", 1)}},
      {"Foo,\r\n 1; Zone, ! for Z2\r\nZ2;", "Zone: [Z2 ! for Z2] [] [] []\n", {UnknownClass("Foo", 1)}},
      {"Zone, a, 1; Zone, b, 1, 2, 3, 4; ! mine\r\n", "Zone: [a] [1 ! mine] [] []\n", {TooManyFields("Zone", 1)}},
      {"Foo, 1; ! about Foo\r\nZone, a;", z, {UnknownClass("Foo", 1)}},
      {"Foo, x;\r\n! kept\r\nZone, a;", "Zone: [a ! kept] [] [] []\n", {UnknownClass("Foo", 1)}},
      {"! one\n! two\nZone,\n a, ! three\n 1;\n", "Zone: [a ! one\\n two\\n three] [1] [] []\n", {}},
      {"Zone, a; !x\r\r\n", "Zone: [a !x\r] [] [] []\n", {}},  // a lone CR ends no line
      // clang-format on
  };
  for (const auto& [text, objects, messages] : cases) {
    SCOPED_TRACE(text.substr(0, 80));
    Read read(text);
    EXPECT_EQ(read.Dump(), objects);
    EXPECT_EQ(read.prompter.Texts(), messages);
  }
}

// Read objects come after those already in the store, with layer id 0. Findings
// point at the lines objects begin on; the lines stay in step when objects go.
TEST(IdfReader, AddsAfterTheStoredObjectsAndRecordsTheirLines) {
  Dictionary store;
  BuildSampleDictionary(store);
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(store.FindClass("Zone", g, c));
  store.GetValue(g, c, 0, store.AddObject(g, c, 7)).value = "old";
  RecordingPrompter prompter;
  NullProgress progress;
  LoadInputText("Zone, a;\r\n! note\r\nZone,\r\n b, 1, 2, 3, 4, 5;\r\n  Zone, c,\r\n 1;\nZone, d;", store, progress,
                prompter);
  EXPECT_EQ(DumpObjects(store, true), "@7 Zone: [old] [] [] []\n@0 Zone: [a] [] [] []\n@0 Zone: [c] [1] [] []\n"
                                      "@0 Zone: [d] [] [] []\n");
  const DictClass& zones = store.GetClass(g, c);
  EXPECT_EQ(zones.objectLines, (std::vector<std::uint32_t>{0, 1, 5, 7}));  // b had too many fields
  store.GetClass(g, c).objectLayers[3] = 3;
  store.DeleteObject(g, c, 1);
  store.DeleteLayerObjects(3);
  const auto made = store.AddObject(g, c, 0);  // made in the window: no line
  EXPECT_EQ(zones.objectLines, (std::vector<std::uint32_t>{0, 5, 0}));
  EXPECT_EQ(zones.ObjectLine(made), 0u);
}

TEST(IdfReader, StopsAtTheObjectLimitOfAClass) {
  std::string text;
  for (std::uint32_t i = 0; i < kMaxCount; ++i) text += "Zone,z;\n";
  Read read(text + "Zone, over,\n 1;\nVersion, 1;\n");
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(read.store.FindClass("Zone", g, c));
  EXPECT_EQ(read.store.GetClass(g, c).objectLayers.size(), kMaxCount);
  EXPECT_EQ(read.store.GetValue(g, c, 0, kMaxCount - 1).value, "z");
  EXPECT_TRUE(read.Dump().starts_with("Version: [1]\n"));
  EXPECT_EQ(read.prompter.Texts(), std::vector<std::string>{"Too many objects in object class \"Zone\" on line "
                                                            "65536.\r\nThis object will not be loaded."});
  EXPECT_EQ(std::tuple(read.prompter.messages[0].caption, read.prompter.messages[0].icon),
            std::tuple(std::string("IDF Parsing Error"), Icon::Exclamation));
}

// A file is read whole, to its first NUL byte; one that cannot be opened (a named
// pipe without a writer would block an ordinary open for good) or is UTF-16 is refused.
TEST(IdfReader, LoadInputFileReadsAFileWholeOrReportsIt) {
  testing::TempFolder folder;
  Dictionary store;
  BuildSampleDictionary(store);
  RecordingPrompter prompter;
  NullProgress progress;
  EXPECT_TRUE(LoadInputFile(folder.Write("empty.idf", ""), store, progress, prompter));
  EXPECT_TRUE(LoadInputFile(folder.Write("in.idf", std::string("Zone, a;\r\nZone, b;\0Zone, c;", 27)), store, progress,
                            prompter));
  EXPECT_EQ(DumpObjects(store), "Zone: [a] [] [] []\nZone: [b] [] [] []\n");
  EXPECT_TRUE(prompter.messages.empty());
  const std::string pipe = folder.PathOf("pipe.idf");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string le = folder.Write("le.idf", "\xFF\xFE" + std::string("Z\0o\0n\0e\0,\0a\0;\0", 14));
  const std::string be = folder.Write("be.idf", "\xFE\xFF" + std::string("\0Z\0o\0n\0e\0,\0a\0;", 14));
  for (const std::string& path : {folder.PathOf("missing.idf"), pipe, le, be}) {
    prompter.messages.clear();
    EXPECT_FALSE(LoadInputFile(path, store, progress, prompter));
    const bool wide = path == le || path == be;
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{wide ? path + " is UTF-16 text; save it as UTF-8 or ANSI text."
                                                              : "Unable to open " + path + "."});
    EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
  }
  EXPECT_EQ(DumpObjects(store), "Zone: [a] [] [] []\nZone: [b] [] [] []\n");
}

// After ten fault messages the user chooses whether to see the rest; the ones
// left unseen are counted at the end. Objects are read either way.
TEST(IdfReader, AsksOnceAfterTenFaultsWhetherToGoOnReporting) {
  testing::TempFolder folder;
  std::string text;
  for (int i = 1; i <= 13; ++i) text += "Foo" + std::to_string(i) + ", x;\r\n";
  const std::string path = folder.Write("bad.idf", text + "Zone, a;");
  // Closing the box (Cancel) decides nothing.
  const std::tuple<Answer, std::size_t, std::string> cases[] = {
      {Answer::No, 12, "3 more faults in " + path + " were not shown."},
      {Answer::Yes, 14, UnknownClass("Foo13", 13)},
      {Answer::Cancel, 14, UnknownClass("Foo13", 13)},
  };
  for (const auto& [answer, count, last] : cases) {
    SCOPED_TRACE(last);
    Dictionary store;
    BuildSampleDictionary(store);
    RecordingPrompter prompter;
    prompter.script.assign(10, Answer::Ok);
    prompter.script.push_back(answer);
    NullProgress progress;
    EXPECT_TRUE(LoadInputFile(path, store, progress, prompter));
    EXPECT_EQ(DumpObjects(store), "Zone: [a] [] [] []\n");
    ASSERT_EQ(prompter.messages.size(), count);
    EXPECT_EQ(prompter.messages[9].text, UnknownClass("Foo10", 10));
    EXPECT_EQ(prompter.messages[10].text,
              "There are more faults in " + path + ".\r\nDo you want to go on reporting them?");
    EXPECT_EQ(prompter.messages[10].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.messages.back().text, last);
  }
  // Ten faults ask nothing.
  EXPECT_EQ(Read(text.substr(0, text.find("Foo11"))).prompter.messages.size(), 10u);
}

// Running out of memory part-way: the objects read so far go, those before stay.
TEST(IdfReader, AReadThatFailsPartWayRemovesWhatItRead) {
  struct OutOfMemory final : Prompter {
    std::vector<std::string> texts;
    Answer Show(std::string_view text, std::string_view, Icon, Buttons) override {
      texts.emplace_back(text);
      if (texts.size() == 1) throw std::bad_alloc();
      return Answer::Ok;
    }
  } prompter;
  Dictionary store;
  BuildSampleDictionary(store);
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(store.FindClass("Zone", g, c));
  store.GetValue(g, c, 0, store.AddObject(g, c, 2)).value = "old";
  NullProgress progress;
  EXPECT_FALSE(LoadInputText("Zone, a;\r\nWall, w;\r\nFoo, x;\r\nZone, b;", store, progress, prompter, "in.idf"));
  EXPECT_EQ(DumpObjects(store, true), "@2 Zone: [old] [] [] []\n");
  EXPECT_EQ(prompter.texts.back(), "Not enough memory to read in.idf.");
}

}  // namespace
}  // namespace verdanto
