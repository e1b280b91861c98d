#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <tuple>

#include "store/IddReader.h"
#include "support/RecordingPrompter.h"
#include "support/TempFolder.h"

namespace verdanto {
namespace {

using testing::RecordingPrompter;
using testing::RecordingProgress;
using testing::TempFolder;

std::string Visible(std::string_view text) {
  std::string out;
  for (const char c : text) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

std::string Repeat(std::string_view text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Every property of a field that the reader sets, on one line.
std::string DescribeField(const DictField& f) {
  static const char* const types[] = {"integer", "real", "alpha", "choice", "object-list", "unspecified"};
  std::string out = f.name.str() + " type=" + types[static_cast<int>(f.type())];
  const auto text = [&](const char* what, const CompactText& value) {
    if (!value.empty()) out += std::string(" ") + what + "=\"" + Visible(value) + "\"";
  };
  const auto flag = [&](const char* what, std::uint32_t bit) {
    if (f.Has(bit)) out += std::string(" ") + what;
  };
  text("label", f.label), text("note", f.note), text("units", f.units), text("ip", f.ipUnits);
  text("min", f.minimum), text("max", f.maximum), text("default", f.defaultValue);
  flag("required", FieldFlag::RequiredField), flag("min-incl", FieldFlag::MinInclusive);
  flag("max-incl", FieldFlag::MaxInclusive), flag("autosizable", FieldFlag::Autosizable);
  flag("autocalculatable", FieldFlag::Autocalculatable), flag("retaincase", FieldFlag::RetainCase);
  for (const auto& key : f.keys) out += " key=" + key.str();
  for (const auto& name : f.refNames) out += " name=" + name.str();
  return out;
}

std::string DescribeClass(const DictClass& c) {
  std::string out = c.name.str() + " fields=" + std::to_string(c.fieldCount());
  if (!c.memo.empty()) out += " memo=\"" + Visible(c.memo) + "\"";
  if (!c.obsolete.empty()) out += " obsolete=\"" + c.obsolete.str() + "\"";
  if (c.minFields) out += " min-fields=" + std::to_string(c.minFields);
  if (c.Has(ClassFlag::UniqueObject)) out += " unique";
  if (c.Has(ClassFlag::RequiredObject)) out += " required";
  if (c.Has(ClassFlag::Extensible)) out += " extensible";
  return out;
}

// "Group: Class(A1,A2) Class(..) | Group: ..."
std::string Outline(const Dictionary& store) {
  std::string out;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g) {
    out += (g ? " | " : "") + store.GetGroup(g).name.str() + ":";
    for (const auto& cls : store.GetGroup(g).classes) {
      out += " " + cls.name.str() + "(";
      for (std::size_t f = 0; f < cls.fields.size(); ++f) out += (f ? "," : "") + cls.fields[f].name.str();
      out += ")";
    }
  }
  return out;
}

struct Loaded {
  bool ok = false;
  Dictionary store;
  RecordingPrompter prompter;
  RecordingProgress progress;
};

// Reads a dictionary text that stands for the file "{path}".
std::unique_ptr<Loaded> Load(std::string_view text) {
  auto loaded = std::make_unique<Loaded>();
  loaded->ok = LoadDictionaryText(text, "{path}", loaded->store, loaded->progress, loaded->prompter);
  return loaded;
}

// The text with every line end LF (0), CR LF (1), or each in turn (2).
std::string WithLineEnds(std::string_view text, int style) {
  std::string out;
  bool odd = false;
  for (const char ch : text) {
    if (ch == '\n' && (style == 1 || (style == 2 && (odd = !odd)))) out += '\r';
    out += ch;
  }
  return out;
}

// One field A1 labelled F, then the given property lines; class C, then the given
// lines, which end it; each with every kind of line end. Commas and semicolons in
// comments and property texts end nothing.
TEST(IddReaderTest, FieldAndClassPropertiesWithEveryLineEnd) {
  const std::pair<const char*, const char*> fields[] = {
      // clang-format off
      {"\\minimum 0\n\\maximum 100", "A1 type=unspecified label=\"F\" min=\"0\" max=\"100\" min-incl max-incl"},
      {"\\minimum 0\n\\minimum> 1", "A1 type=unspecified label=\"F\" min=\"1\""},
      {"\\minimum >0\n\\maximum  < 100 ", "A1 type=unspecified label=\"F\" min=\"0\" max=\"100\""},
      {"\\minimum <0\n\\maximum >1", "A1 type=unspecified label=\"F\" min=\"<0\" max=\">1\" min-incl max-incl"},
      {"\\TYPE Integer", "A1 type=integer label=\"F\""},
      {"\\type  real", "A1 type=unspecified label=\"F\""},
      {"\\type alphanumeric", "A1 type=alpha label=\"F\""},
      {"\\type real\n\\type node", "A1 type=real label=\"F\""},
      {"\\type object-list", "A1 type=unspecified label=\"F\""},
      {"\\type object-list\n\\object-list ZoneNames", "A1 type=object-list label=\"F\" name=ZoneNames"},
      {"\\reference R1\n\\reference-class-name X", "A1 type=unspecified label=\"F\" name=R1"},
      {"\\note one, A3;\n\\note  two \n\\key  Country, open; flat \n\\key B",
       "A1 type=unspecified label=\"F\" note=\"one, A3;\\r\\ntwo\\r\\n\" key=Country, open; flat key=B"},
      {"\\units \n\\units\n\\key \n\\key\n\\object-list ", "A1 type=unspecified label=\"F\""},
      {"\\Required-Field yes\n\\AUTOSIZABLE\n\\autocalculatable\n\\RetainCase\n\\format singleLine",
       "A1 type=unspecified label=\"F\" required autosizable autocalculatable retaincase"},
      {"\\field Other \\note x", "A1 type=unspecified label=\"Other \\note x\""},
      {"\\default 7.2 ! comment \\key x\n\\units m3   ! cubic metres",
       "A1 type=unspecified label=\"F\" units=\"m3\" default=\"7.2\""},
      {"\\memo not for fields\n\\unique-object\n\\begin-extensible", "A1 type=unspecified label=\"F\""},
      // clang-format on
  };
  const std::pair<const char*, const char*> classes[] = {
      {"A1,\n\\memo late\nA2;", "C fields=2"},
      {"\\memo Building, site; etc.\n\\memo  A second line.\nA1;",
       "C fields=1 memo=\"Building, site; etc.\\r\\nA second line.\\r\\n\""},
      {"\\unique-object\n\\required-object\n\\extensible:3\n\\obsolete  Use Other \nA1;",
       "C fields=1 obsolete=\"Use Other\" unique required extensible"},
      {"\\min-fields   -3\nA1;", "C fields=1 min-fields=65533"},
      {"\\min-fields 70000\nA1;", "C fields=1 min-fields=4464"},
      {"\\min-fields +7abc\n\\min-fields x\nA1;", "C fields=1"},
      {"\\field not for classes\n\\key k\nA1;", "C fields=1"},
  };
  for (const int style : {0, 1, 2}) {
    for (const auto& [lines, field] : fields) {
      const auto loaded = Load(WithLineEnds("\\group G\nC,\n  A1 ; \\field F\n" + std::string(lines) + "\n", style));
      ASSERT_TRUE(loaded->ok) << lines;
      EXPECT_EQ(DescribeField(loaded->store.GetField(0, 0, 0)), field) << lines << " " << style;
      EXPECT_EQ(DescribeClass(loaded->store.GetClass(0, 0)), "C fields=1") << lines;
    }
    for (const auto& [lines, cls] : classes) {
      const auto loaded = Load(WithLineEnds("\\group G\nC,\n" + std::string(lines) + "\n", style));
      ASSERT_TRUE(loaded->ok) << lines;
      EXPECT_EQ(DescribeClass(loaded->store.GetClass(0, 0)), cls) << lines << " " << style;
    }
    // Properties before a group, or between a group and its first class, land
    // nowhere; names that differ in letter case share one record.
    const auto loaded = Load(WithLineEnds("! a comment, with a comma; and a \\group in it\n\\memo m\n\\default 1\n"
                                          "\\group G\n\\memo n\n\\default 2\nC,\nA1;\n\\reference Zones\n"
                                          "D,\nA1, A2;\n\\type object-list\n\\object-list ZONES\n\\object-list zones",
                                          style));
    const Dictionary& d = loaded->store;
    EXPECT_EQ(DescribeClass(d.GetClass(0, 0)) + "|" + DescribeField(d.GetField(0, 0, 0)) + "|" +
                  DescribeClass(d.GetClass(0, 1)) + "|" + DescribeField(d.GetField(0, 1, 1)),
              "C fields=1|A1 type=unspecified name=Zones|D fields=2|A2 type=object-list name=ZONES name=zones");
    ASSERT_EQ(d.RefNameCount(), 1u);
    EXPECT_EQ(std::tuple(d.GetRefName(0).userCount(), d.GetRefName(0).definerCount()), std::tuple(2u, 1u)) << style;
  }
}

// The version line, the start of the definitions, faults in the text: the
// messages, in order, and what is loaded.
TEST(IddReaderTest, VersionStartAndFaults) {
  const std::string noField = "No field found in class \"%\".\r\nThis class will be deleted.";
  const std::string noClassIn = "No class found in group \"%\".\r\nThis group will be deleted.";
  const auto with = [](std::string text, const char* name) { return text.replace(text.find('%'), 1, name); };
  const std::string noClass = "No class found in {path}.";
  // Text, version ("" also when nothing loads), messages, outline.
  const std::tuple<std::string, const char*, std::vector<std::string>, const char*> cases[] = {
      // clang-format off
      {"!IDD_Version 8.9.0\r\n\\group G\r\nC,A1;\r\n", "8.9.0", {}, "G: C(A1)"},
      {"!idd_VERSION 8.9.0 Beta \n\\group G\nC,A1;\n", "8.9.0 Beta ", {}, "G: C(A1)"},
      {"!IDD_Version \r\n\\group G\nC,A1;\n", "", {}, "G: C(A1)"},
      {"\\group G\nC,A1;\n! IDD_Version 1\n", "Not found", {}, "G: C(A1)"},
      {"\\group G\nC,A1;\n!IDD_Version 9.1", "9.1", {}, "G: C(A1)"},
      // The lines up to "Simulation Data;" would each give ERROR 1.
      {"!IDD_Version 2\nLead Input;\nJunk,\nSimulation Data; more, x\n\\group G\nC,A1;\n", "2", {}, "G: C(A1)"},
      {"Junk,\r\nSIMULATION DATA;\r\n\\group G\r\nC,A1;", "Not found", {}, "G: C(A1)"},
      {"", "", {noClass}, ""},
      {"Zone,\n  A1;\n\\memo x\n", "", {"ERROR 1", noClass}, ""},
      {"Zone,\n  A1;\nWall,\n  A1;\nRoof,\n  A1;\n", "", {"ERROR 1", noClass}, ""},  // once per file
      {"\\group G\nC,,A1;\nD,A1,;\n E;\n", "Not found", {"ERROR 2", "ERROR 4"}, "G: C(A1) D(A1,E)"},
      {"\\group G\nA,A1;\nB,\n\\group H\nC,A1;\n", "Not found", {with(noField, "B")}, "G: A(A1) | H: C(A1)"},
      {"\\group G\nB,\n\\group H\nC,A1;\n", "Not found", {with(noField, "B"), with(noClassIn, "G")}, "H: C(A1)"},
      {"\\group G\nA,A1;\n\\group H\n", "Not found", {with(noClassIn, "H")}, "G: A(A1)"},
      {"\\group G\nA,A1;\n\\group \n\\group\nB,A1;\n", "Not found", {}, "G: A(A1) B(A1)"},
      {"\\group G\nC,\\\n A1 \\ ;\n\\\\\\\n\\ \n A2;\n\\", "Not found", {}, "G: C(A2)"},
      {"\\group G\nZone,\n  A1, \\field Name\n  A2", "Not found", {}, "G: Zone(A1)"},
      {"\\group G\nZone,", "", {with(noField, "Zone"), with(noClassIn, "G"), noClass}, ""},
      // clang-format on
  };
  for (const auto& [text, version, messages, outline] : cases) {
    SCOPED_TRACE(text);
    const auto loaded = Load(text);
    EXPECT_EQ(loaded->ok, *outline != '\0');
    EXPECT_EQ(loaded->store.version, version);
    EXPECT_EQ(loaded->prompter.Texts(), messages);
    EXPECT_EQ(Outline(loaded->store), outline);
    for (const auto& m : loaded->prompter.messages)
      EXPECT_EQ(m.icon, m.text.starts_with("ERROR") ? Icon::None : m.text == noClass ? Icon::Error : Icon::Exclamation);
  }
}

// A file's text ends at its first NUL byte (as an input file's, IdfReaderTest); a file
// that cannot be opened leaves the store empty. A named pipe with no writer would
// block an ordinary open for good.
TEST(IddReaderTest, ReadsFiles) {
  TempFolder folder;
  Dictionary store;
  NullProgress progress;
  RecordingPrompter prompter;
  ASSERT_TRUE(
      LoadDictionary(folder.Write("good.idd", std::string("\\group G\nC,A1;\0D,A1;", 20)), store, progress, prompter));
  EXPECT_EQ(Outline(store), "G: C(A1)");
  const std::string pipe = folder.PathOf("pipe.idd");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {folder.PathOf("missing.idd"), folder.PathOf(""), pipe}) {
    Dictionary empty;
    RecordingPrompter refused;
    EXPECT_FALSE(LoadDictionary(path, empty, progress, refused));
    EXPECT_EQ(empty.GroupCount() + empty.version.size(), 0u);
    EXPECT_EQ(refused.Texts(), std::vector<std::string>{"Unable to open " + path + "."});
  }
}

// Past 65 535 entries of anything the rest is refused with one warning, counted
// while reading (never made first), and what follows the refused entries loads as usual.
TEST(IddReaderTest, CountsPastTheStoreLimitAreRefused) {
  const std::size_t over = kMaxCount + 1;
  const std::string tooManyFields = "Too many fields in class \"Big\".\r\nThe remaining fields will not be loaded.";
  // The text, the warning, what is loaded.
  const std::tuple<std::string, std::string, std::function<void(const Dictionary&)>> cases[] = {
      {"\\group G\nBig,\n" + Repeat("A1,\n", over) + "  Z; \\field lost\n\\key lost\nNext,B1;\n", tooManyFields,
       [](const Dictionary& d) {
         EXPECT_EQ(d.FieldCount(0, 0), kMaxCount);
         EXPECT_EQ(DescribeField(d.GetField(0, 0, kMaxCount - 1)), "A1 type=unspecified");
         EXPECT_TRUE(Outline(d).ends_with(" Next(B1)"));
       }},
      {"\\group G\nBig," + Repeat("A1,", over) + "Z;\nNext,B1;\n", tooManyFields,
       [](const Dictionary& d) {
         EXPECT_EQ(d.FieldCount(0, 0), kMaxCount);
         EXPECT_LE(d.GetClass(0, 0).fields.capacity(), kMaxCount);  // all on one line: never made larger
         EXPECT_TRUE(Outline(d).ends_with(" Next(B1)"));
       }},
      {"\\group G\nC,\nA1;\n" + Repeat("\\key k\n", over) + "Next,B1;\n\\key z\n",
       "Too many keys in field \"A1\" of class \"C\".\r\nThe remaining keys will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(std::tuple(d.GetField(0, 0, 0).keyCount(), d.GetField(0, 1, 0).keys.size()),
                   std::tuple(kMaxCount, 1u));
       }},
      {"\\group G\nC,\nA1;\n" + Repeat("\\object-list n\n", over) + "Next,B1;\n",
       "Too many object-list and reference names in field \"A1\" of class \"C\".\r\n"
       "The remaining names will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(std::tuple(d.GetField(0, 0, 0).refNameCount(), d.GetRefName(0).userCount()),
                   std::tuple(kMaxCount, kMaxCount));
       }},
      {"\\group G\n" + Repeat("C,A1;\n", over) + "Lost,\n\\memo m\nA1;\n\\group H\nD,A1;\n",
       "Too many classes in group \"G\".\r\nThe remaining classes will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.ClassCount(0), kMaxCount);
         EXPECT_TRUE(d.GetClass(0, kMaxCount - 1).memo.empty());
         EXPECT_TRUE(Outline(d).ends_with(" | H: D(A1)"));
       }},
      {Repeat("\\group G\nC,A1;\n", over) + "D,A1;\n",
       "Too many groups in {path}.\r\nThe remaining groups will not be loaded.",
       [](const Dictionary& d) { EXPECT_EQ(d.TotalClassCount(), kMaxCount); }},
  };
  for (const auto& [text, warning, check] : cases) {
    SCOPED_TRACE(warning);
    const auto loaded = Load(text);
    ASSERT_TRUE(loaded->ok);
    EXPECT_EQ(loaded->prompter.Texts(), std::vector<std::string>{warning});
    check(loaded->store);
  }
}

// Notes and memos of thousands of lines keep every line, and each stays with its
// own field or class when the next one starts.
TEST(IddReaderTest, LongNotesAndMemosKeepEveryLine) {
  std::string text = "\\group G\nC,\n\\memo m\nA1, \\note first\n", note = "first\r\n", memo;
  for (int i = 0; i < 4000; ++i) {
    text += "\\note n" + std::to_string(i) + "\n";
    note += "n" + std::to_string(i) + "\r\n";
  }
  text += "A2; \\note other\nD,\n";
  for (int i = 0; i < 4000; ++i) {
    text += "\\memo m" + std::to_string(i) + "\n";
    memo += "m" + std::to_string(i) + "\r\n";
  }
  const auto loaded = Load(text + "B1;\n");
  ASSERT_TRUE(loaded->ok);
  const Dictionary& d = loaded->store;
  EXPECT_EQ(std::tuple(d.GetClass(0, 0).memo.str(), d.GetField(0, 0, 0).note.str(), d.GetField(0, 0, 1).note.str()),
            std::tuple("m\r\n", note, "other\r\n"));
  EXPECT_EQ(d.GetClass(0, 1).memo.str(), memo);
}

TEST(IddReaderTest, ProgressMovesOnePercentAtATimeAtLineStarts) {
  const std::string text = "\\group G\r\n" + Repeat("C,A1;\r\n", 1000);
  const auto loaded = Load(text);
  EXPECT_EQ(loaded->progress.positions.size(), 99u);
  for (const std::size_t at : loaded->progress.positions) EXPECT_EQ(text[at - 1], '\n') << at;
}

}  // namespace
}  // namespace verdanto
