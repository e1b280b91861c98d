#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>

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

std::string UnknownClass(std::string_view name, int line) {
  return Format("Object class \"%.*s\" not recognized on line %d.\r\nThis object will not be loaded.",
                static_cast<int>(name.size()), name.data(), line);
}
std::string TooManyFields(std::string_view name, int line) {
  return Format("Too many fields in object class \"%.*s\" on line %d.\r\nThis object will not be loaded.",
                static_cast<int>(name.size()), name.data(), line);
}
std::string EndsInObject(std::string_view name, int line) {
  return Format("The text ends inside the object of class \"%.*s\" begun on line %d.\r\nThe object is kept with "
                "the values read.",
                static_cast<int>(name.size()), name.data(), line);
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
  const struct {
    std::string text;
    std::string objects;                // DumpObjects of the result
    std::vector<std::string> messages;  // in order
  } cases[] = {
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
      {std::string(10'000'000, 'x') + ", a;\nZone, a;", z, {UnknownClass(std::string(200, 'x') + "...", 1)}},
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    Read read(c.text);
    EXPECT_EQ(read.Dump(), c.objects);
    EXPECT_EQ(read.prompter.Texts(), c.messages);
    for (const auto& m : read.prompter.messages) {
      EXPECT_EQ(m.caption, "IDF Parsing Error");
      EXPECT_EQ(m.icon, Icon::Exclamation);
      EXPECT_EQ(m.buttons, Buttons::Ok);
    }
  }
}

TEST(IdfReader, CrLfAndLfGiveTheSameStore) {
  const std::string crlf =
      "! head\r\nVersion, 8.0;\r\nZone,\r\n  z1,   ! first zone\r\n  ,\r\n  ! pending\r\n  3;  !- Y\r\n"
      "Schedule:Compact, s, , 1, 2, 3, 4, 5, 6, 7, 8, 9, 10;\r\nFoo, bad;\r\nWall, w, z1;\r\n";
  std::string lf = crlf;
  std::erase(lf, '\r');
  Read a(crlf);
  Read b(lf);
  EXPECT_EQ(a.Dump(), b.Dump());
  EXPECT_EQ(a.prompter.Texts(), b.prompter.Texts());
  EXPECT_EQ(a.prompter.Texts(), std::vector<std::string>{UnknownClass("Foo", 9)});
}

TEST(IdfReader, AddsAfterObjectsAlreadyInTheStoreWithLayerZero) {
  Dictionary store;
  BuildSampleDictionary(store);
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(store.FindClass("Zone", g, c));
  store.GetValue(g, c, 0, store.AddObject(g, c, 7)).value = "old";
  RecordingPrompter prompter;
  NullProgress progress;
  LoadInputText("Zone, new;", store, progress, prompter);
  EXPECT_EQ(DumpObjects(store, true), "@7 Zone: [old] [] [] []\n@0 Zone: [new] [] [] []\n");
}

// Findings point at these lines; they stay in step when objects go.
TEST(IdfReader, RecordsTheLineEachObjectBeginsOn) {
  Read read("Zone, a;\r\n! note\r\nZone,\r\n b, 1, 2, 3, 4, 5;\r\n  Zone, c,\r\n 1;\nZone, d;");
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(read.store.FindClass("Zone", g, c));
  const DictClass& zones = read.store.GetClass(g, c);
  EXPECT_EQ(zones.objectLines, (std::vector<std::uint32_t>{1, 5, 7}));  // b had too many fields
  read.store.GetClass(g, c).objectLayers[2] = 3;
  read.store.DeleteObject(g, c, 0);
  read.store.DeleteLayerObjects(3);
  const auto made = read.store.AddObject(g, c, 0);  // made in the window: no line
  EXPECT_EQ(zones.objectLines, (std::vector<std::uint32_t>{5, 0}));
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
  ASSERT_TRUE(read.store.FindClass("Version", g, c));
  EXPECT_EQ(read.store.GetClass(g, c).objectLayers.size(), 1u);
  ASSERT_EQ(read.prompter.messages.size(), 1u);
  EXPECT_EQ(read.prompter.messages[0].text,
            "Too many objects in object class \"Zone\" on line 65536.\r\nThis object will not be loaded.");
  EXPECT_EQ(read.prompter.messages[0].caption, "IDF Parsing Error");
}

TEST(IdfReader, ProgressRunsOverTheTextInPercentSteps) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "Zone, zone" + std::to_string(i) + ", 1;\r\n";
  Read read(text);
  EXPECT_EQ(read.progress.maximum, text.size());
  const auto& positions = read.progress.positions;
  ASSERT_FALSE(positions.empty());
  EXPECT_LE(positions.size(), 101u);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_GE(positions.back(), text.size() * 99 / 100);
  EXPECT_LE(positions.back(), text.size());
}

// Bad input must not crash, hang or leave the store inconsistent; Read checks the store.
TEST(IdfReader, SurvivesBadInput) {
  std::mt19937 random(20240607);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(1 + random() % 255);  // NUL would end the text
  std::string delimiters(1 << 18, ' ');
  const char alphabet[] = {',', ';', '!', '-', '\r', '\n', ' ', 'Z', 'o', 'n', 'e'};
  for (char& c : delimiters) c = alphabet[random() % sizeof alphabet];
  const std::string inputs[] = {
      binary, delimiters, std::string(10 << 20, 'a'), "Zone, " + std::string(10 << 20, 'v') + ";",
      std::string(1 << 20, '!'), std::string(1 << 20, ','), std::string(1 << 20, ';'), std::string(1 << 20, '\r'),
      "Zone, a, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10", "Zone,\r\n! c\r\n! d\r\n!", "\xEF\xBB", "!", ",", "",
  };
  for (const std::string& input : inputs) {
    Read read(input);
    EXPECT_LE(read.prompter.messages.size(), input.size());
  }
}

// A file is read whole, to its first NUL byte; one that cannot be opened is reported.
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
  EXPECT_FALSE(LoadInputFile(folder.PathOf("missing.idf"), store, progress, prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Unable to open " + folder.PathOf("missing.idf") + ".");
  const std::string pipe = folder.PathOf("pipe.idf");  // no writer: an ordinary open would wait for good
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(LoadInputFile(pipe, store, progress, prompter));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text, "Unable to open " + pipe + ".");
  EXPECT_EQ(prompter.messages[0].caption, "Verdanto");
  EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
}

// After ten fault messages the user chooses whether to see the rest; the ones
// left unseen are counted at the end. Objects are read either way.
TEST(IdfReader, AsksOnceAfterTenFaultsWhetherToGoOnReporting) {
  testing::TempFolder folder;
  std::string text;
  for (int i = 1; i <= 13; ++i) text += "Foo" + std::to_string(i) + ", x;\r\n";
  const std::string path = folder.Write("bad.idf", text + "Zone, a;");
  const std::string question = "There are more faults in " + path + ".\r\nDo you want to go on reporting them?";
  const struct {
    const char* name;
    Answer answer;
    std::size_t faultsShown;
    std::string last;
  } cases[] = {
      {"No", Answer::No, 10, "3 more faults in " + path + " were not shown."},
      {"Yes", Answer::Yes, 13, UnknownClass("Foo13", 13)},
      {"Closed", Answer::Cancel, 13, UnknownClass("Foo13", 13)},  // closing the box decides nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dictionary store;
    BuildSampleDictionary(store);
    RecordingPrompter prompter;
    for (int i = 0; i < 10; ++i) prompter.script.push_back(Answer::Ok);
    prompter.script.push_back(c.answer);
    NullProgress progress;
    EXPECT_TRUE(LoadInputFile(path, store, progress, prompter));
    EXPECT_EQ(DumpObjects(store), "Zone: [a] [] [] []\n");
    ASSERT_GT(prompter.messages.size(), 11u);
    EXPECT_EQ(prompter.messages[9].text, UnknownClass("Foo10", 10));
    EXPECT_EQ(prompter.messages[10].text, question);
    EXPECT_EQ(prompter.messages[10].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.messages[10].icon, Icon::Question);
    EXPECT_EQ(prompter.messages.size(), c.faultsShown + (c.faultsShown == 10 ? 2u : 1u));
    EXPECT_EQ(prompter.messages.back().text, c.last);
  }
  // Ten faults ask nothing.
  Read ten(text.substr(0, text.find("Foo11")));
  EXPECT_EQ(ten.prompter.messages.size(), 10u);
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

TEST(IdfReader, RefusesUtf16Text) {
  testing::TempFolder folder;
  for (const std::string bom : {"\xFF\xFE", "\xFE\xFF"}) {
    Dictionary store;
    BuildSampleDictionary(store);
    RecordingPrompter prompter;
    NullProgress progress;
    const std::string path = folder.Write("wide.idf", bom + std::string("Z\0o\0n\0e\0,\0a\0;\0", 14));
    EXPECT_FALSE(LoadInputFile(path, store, progress, prompter));
    EXPECT_EQ(DumpObjects(store), "");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, path + " is UTF-16 text; save it as UTF-8 or ANSI text.");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
  }
}

}  // namespace
}  // namespace verdanto
