#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/IdfReader.h"
#include "store/Text.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/StoreDump.h"

namespace verdanto {
namespace {

using testing::BuildSampleDictionary;
using testing::DumpObjects;
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

// Every class holds as many values per field as it has objects.
void ExpectConsistent(const Dictionary& store) {
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes)
      for (const DictField& field : cls.fields) ASSERT_EQ(field.values.size(), cls.objectLayers.size()) << cls.name;
}

struct Read {
  Dictionary store;
  RecordingPrompter prompter;
  RecordingProgress progress;
  explicit Read(std::string_view text) {
    BuildSampleDictionary(store);
    EXPECT_TRUE(LoadInputText(text, store, progress, prompter));
    ExpectConsistent(store);
  }
  std::string Dump() const { return DumpObjects(store); }
};

struct ReadCase {
  const char* name;
  std::string text;
  std::string objects;                // DumpObjects of the result
  std::vector<std::string> messages;  // in order
};

class IdfGrammar : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IdfGrammar, ReadsObjectsAndReportsFaults) {
  const ReadCase& c = GetParam();
  Read read(c.text);
  EXPECT_EQ(read.Dump(), c.objects);
  EXPECT_EQ(read.prompter.Texts(), c.messages);
  for (const auto& m : read.prompter.messages) {
    EXPECT_EQ(m.caption, "IDF Parsing Error");
    EXPECT_EQ(m.icon, Icon::Exclamation);
    EXPECT_EQ(m.buttons, Buttons::Ok);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdfGrammar,
    ::testing::Values(
        ReadCase{"version_on_two_lines", "Version,\r\n 7.2;\r\n", "Version: [7.2]\n", {}},
        ReadCase{"class_name_in_other_case", "zONE, Z1;", "Zone: [Z1] [] [] []\n", {}},
        ReadCase{"fewer_values_leave_the_rest_empty", "Zone, a, 1;", "Zone: [a] [1] [] []\n", {}},
        ReadCase{"exactly_field_count_values", "Zone, a, 1, 2, 3;", "Zone: [a] [1] [2] [3]\n", {}},
        ReadCase{"empty_values_between_commas", "Zone, , ,2,;", "Zone: [] [] [2] []\n", {}},
        ReadCase{"tokens_are_trimmed_of_blanks", "Zone,\t a b \v,\f 1\t;", "Zone: [a b] [1] [] []\n", {}},
        ReadCase{"several_objects_on_one_line", "Zone,a;Zone,b;Wall,w,a;", "Zone: [a] [] [] []\nZone: [b] [] [] []\nWall: [w] [a] []\n", {}},
        ReadCase{"lf_line_ends_split_lines", "Zone,\n a,\n 1;\nFoo, x;\n", "Zone: [a] [1] [] []\n", {UnknownClass("Foo", 4)}},
        ReadCase{"mixed_line_ends_count_every_line", "\n\r\n\nFoo, x;\r\n\nBar;Baz,\n", "",
                 {UnknownClass("Foo", 4), UnknownClass("Baz", 6)}},
        ReadCase{"byte_order_mark_is_skipped", "\xEF\xBB\xBFZone, a;", "Zone: [a] [] [] []\n", {}},
        ReadCase{"text_after_the_last_delimiter_is_ignored", "Zone, a, 1\r\n 5;", "Zone: [a] [5] [] []\n", {}},
        ReadCase{"semicolon_outside_an_object_is_ignored", "; x ;Zone, a;", "Zone: [a] [] [] []\n", {}},
        ReadCase{"class_without_fields_alone_is_ignored", "Lead Input;", "", {}},
        ReadCase{"class_without_fields_takes_no_value", "Lead Input, x; Zone, a;", "Zone: [a] [] [] []\n",
                 {TooManyFields("Lead Input", 1)}},
        ReadCase{"unterminated_object_stays", "Zone, a, 1,\r\n", "Zone: [a] [1] [] []\n", {}},
        ReadCase{"text_ends_at_nul", std::string("Zone, a;\0Zone, b;", 17), "Zone: [a] [] [] []\n", {}},
        ReadCase{"unknown_class_is_skipped_to_its_semicolon", "Foo,\r\n Zone,\r\n Bar,\r\n x;\r\nZone, a;",
                 "Zone: [a] [] [] []\n", {UnknownClass("Foo", 1)}},
        ReadCase{"empty_class_name_is_not_found", "Zone, a;\r\n,\r\nx;Zone, b;", "Zone: [a] [] [] []\nZone: [b] [] [] []\n",
                 {UnknownClass("", 2)}},
        ReadCase{"one_value_more_than_fields", "Wall, w, z, 1, 2;\r\nWall, v;",
                 "Wall: [v] [] []\n", {TooManyFields("Wall", 1)}},
        ReadCase{"values_too_many_skip_to_the_semicolon", "Zone, a;\r\nwall, w,\r\n z,\r\n 1,\r\n 2,\r\n 3;\r\nZone, b;",
                 "Zone: [a] [] [] []\nZone: [b] [] [] []\n", {TooManyFields("Wall", 4)}},
        ReadCase{"objects_before_a_rejected_one_stay", "Zone, a;\r\nZone, b, 1, 2, 3, 4;", "Zone: [a] [] [] []\n",
                 {TooManyFields("Zone", 2)}},
        ReadCase{"each_faulty_object_gives_one_message", "Foo, a, b;\r\nBar, c;\r\nZone, z;",
                 "Zone: [z] [] [] []\n", {UnknownClass("Foo", 1), UnknownClass("Bar", 2)}},
        ReadCase{"delimiters_inside_comments_do_not_count", "Zone, a, ! x, y; z\r\n 1;", "Zone: [a ! x, y; z] [1] [] []\n", {}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct CommentCase {
  const char* name;
  std::string text;
  std::string objects;
};

class IdfComments : public ::testing::TestWithParam<CommentCase> {};

TEST_P(IdfComments, AttachToTheirValues) {
  const CommentCase& c = GetParam();
  Read read(c.text);
  EXPECT_EQ(read.Dump(), c.objects);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdfComments,
    ::testing::Values(
        CommentCase{"generated_annotation_is_dropped", "Zone,\r\n a, !- Name\r\n 1; !- North\r\n", "Zone: [a] [1] [] []\n"},
        CommentCase{"retained_comment_is_not_trimmed", "Zone,\r\n a, ! the zone \r\n 1;", "Zone: [a ! the zone ] [1] [] []\n"},
        CommentCase{"empty_comment_is_dropped", "Zone,\r\n a, !\r\n 1;", "Zone: [a] [1] [] []\n"},
        CommentCase{"comment_lines_before_an_object_go_to_its_first_value", "! one\r\n!two\r\nZone, a;",
                    "Zone: [a ! one\\ntwo] [] [] []\n"},
        CommentCase{"comment_on_the_class_line_goes_to_the_first_value", "Zone, ! c\r\n a;", "Zone: [a ! c] [] [] []\n"},
        CommentCase{"own_line_comment_goes_to_the_next_value", "Zone,\r\n a,\r\n ! c\r\n 1;", "Zone: [a] [1 ! c] [] []\n"},
        CommentCase{"pending_and_same_line_comments_join", "Zone,\r\n!p\r\n a, !s\r\n;", "Zone: [a !p\\ns] [] [] []\n"},
        CommentCase{"comment_goes_to_the_last_value_of_its_line", "Zone, a, 1, 2; !c", "Zone: [a] [1] [2 !c] []\n"},
        CommentCase{"comment_after_an_object_goes_to_the_next", "Zone, a;\r\n! between\r\nZone, b;",
                    "Zone: [a] [] [] []\nZone: [b ! between] [] [] []\n"},
        CommentCase{"comment_at_the_end_is_dropped", "Zone, a;\r\n! last", "Zone: [a] [] [] []\n"},
        CommentCase{"pending_comment_is_emptied_by_a_rejected_object", "! c\r\nFoo, x;\r\nZone, a;", "Zone: [a] [] [] []\n"},
        CommentCase{"comments_of_a_rejected_object_are_dropped",
                    "Foo, x, ! on the faulty line\r\n ! inside\r\n y; ! at its end\r\nZone, a;", "Zone: [a] [] [] []\n"},
        CommentCase{"comment_where_an_object_was_removed_is_dropped", "Zone, a;\r\nZone, b, 1, 2, 3, 4; ! gone\r\n",
                    "Zone: [a] [] [] []\n"},
        CommentCase{"comment_after_a_skipped_object_is_pending_again", "Foo, x;\r\n! kept\r\nZone, a;",
                    "Zone: [a ! kept] [] [] []\n"},
        CommentCase{"lf_lines_keep_comments_apart", "! one\n! two\nZone,\n a, ! three\n 1;\n",
                    "Zone: [a ! one\\n two\\n three] [1] [] []\n"},
        CommentCase{"comment_keeps_a_lone_cr", "Zone, a; !x\r\r\n", "Zone: [a !x\r] [] [] []\n"}),
    [](const ::testing::TestParamInfo<CommentCase>& info) { return std::string(info.param.name); });

TEST(IdfReader, CrLfAndLfGiveTheSameStore) {
  const std::string crlf =
      "! head\r\nVersion, 8.0;\r\nZone,\r\n  z1,   ! first zone\r\n  ,\r\n  ! pending\r\n  3;  !- Y\r\n"
      "Schedule:Compact, s, , 1, 2, 3, 4, 5, 6, 7, 8, 9, 10;\r\nFoo, bad;\r\nWall, w, z1;\r\n";
  std::string lf = crlf;
  for (std::size_t at = 0; (at = lf.find("\r\n", at)) != std::string::npos;) lf.erase(at, 1);
  Read a(crlf);
  Read b(lf);
  EXPECT_EQ(a.Dump(), b.Dump());
  EXPECT_EQ(a.prompter.Texts(), b.prompter.Texts());
  EXPECT_EQ(a.prompter.Texts(), std::vector<std::string>{UnknownClass("Foo", 9)});
}

TEST(IdfReader, ConsecutiveObjectsOfOneClassNeedNoLookupButStayCorrect) {
  // The reused class must follow the name, not the previous hit: Wall after Zone.
  Read read("Zone, a;\r\nZONE, b;\r\nWall, w;\r\nzone, c;\r\nFoo, x;\r\nzone, d;");
  EXPECT_EQ(read.Dump(),
            "Zone: [a] [] [] []\nZone: [b] [] [] []\nZone: [c] [] [] []\nZone: [d] [] [] []\nWall: [w] [] []\n");
}

TEST(IdfReader, AddsAfterObjectsAlreadyInTheStoreWithLayerZero) {
  Dictionary store;
  BuildSampleDictionary(store);
  std::uint16_t g = 0, c = 0;
  ASSERT_TRUE(store.FindClass("Zone", g, c));
  const std::uint16_t o = store.AddObject(g, c, 7);
  store.GetValue(g, c, 0, o).value = "old";
  RecordingPrompter prompter;
  NullProgress progress;
  LoadInputText("Zone, new;", store, progress, prompter);
  EXPECT_EQ(DumpObjects(store, true), "@7 Zone: [old] [] [] []\n@0 Zone: [new] [] [] []\n");
}

TEST(IdfReader, StopsAtTheObjectLimitOfAClass) {
  std::string text;
  for (std::uint32_t i = 0; i < kMaxCount; ++i) text += "Zone,z;\n";
  text += "Zone, over,\n 1;\nVersion, 1;\n";
  Read read(text);
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
  EXPECT_EQ(read.prompter.messages[0].icon, Icon::Exclamation);
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

TEST(IdfReader, LongNamesAreShortenedInMessages) {
  const std::string name(10'000'000, 'x');
  Read read(name + ", a;\nZone, z;");
  ASSERT_EQ(read.prompter.messages.size(), 1u);
  EXPECT_EQ(read.prompter.messages[0].text, UnknownClass(std::string(200, 'x') + "...", 1));
  EXPECT_EQ(read.Dump(), "Zone: [z] [] [] []\n");
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
      binary,
      delimiters,
      std::string(10 << 20, 'a'),                         // one 10 MB line
      "Zone, " + std::string(10 << 20, 'v') + ";",      // one 10 MB value
      std::string(1 << 20, '!'),
      std::string(1 << 20, ','),
      std::string(1 << 20, ';'),
      std::string(1 << 20, '\r'),
      "Zone, a, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10",          // too many values, never ended
      "Zone,\r\n! c\r\n! d\r\n!",                          // comments to the end
      "\xEF\xBB",                                          // half a byte-order mark
      "!",
      ",",
      "",
  };
  for (const std::string& input : inputs) {
    Read read(input);
    EXPECT_LE(read.prompter.messages.size(), input.size());
  }
}

TEST(IdfReader, LoadInputFileReadsAFileWhole) {
  const auto path = std::filesystem::temp_directory_path() / ("idf-reader-" + std::to_string(::getpid()) + ".idf");
  const struct {
    std::string bytes;
    std::string objects;
  } cases[] = {
      {"Zone, a;\r\nZone, b;", "Zone: [a] [] [] []\nZone: [b] [] [] []\n"},
      {std::string("Zone, a;\0Zone, b;", 17), "Zone: [a] [] [] []\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::ofstream(path, std::ios::binary) << c.bytes;
    Dictionary store;
    BuildSampleDictionary(store);
    RecordingPrompter prompter;
    RecordingProgress progress;
    EXPECT_TRUE(LoadInputFile(path.string(), store, progress, prompter));
    EXPECT_EQ(DumpObjects(store), c.objects);
    EXPECT_TRUE(prompter.messages.empty());
  }
  std::filesystem::remove(path);
}

TEST(IdfReader, LoadInputFileReportsAFileThatCannotBeOpened) {
  const std::string paths[] = {"/nonexistent/folder/in.idf", std::filesystem::temp_directory_path().string()};
  for (const std::string& path : paths) {
    Dictionary store;
    BuildSampleDictionary(store);
    RecordingPrompter prompter;
    NullProgress progress;
    EXPECT_FALSE(LoadInputFile(path, store, progress, prompter));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Unable to open " + path + ".");
    EXPECT_EQ(prompter.messages[0].caption, "Verdanto");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
    EXPECT_EQ(DumpObjects(store), "");
  }
}

}  // namespace
}  // namespace verdanto
