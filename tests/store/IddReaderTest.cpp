#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/IddReader.h"
#include "support/RecordingPrompter.h"
#include "support/TempFolder.h"

namespace verdanto {
namespace {

using testing::RecordedMessage;
using testing::RecordingPrompter;
using testing::RecordingProgress;
using testing::TempFolder;

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

std::string Visible(std::string_view text) {
  std::string out;
  for (const char c : text) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

const char* TypeName(FieldType type) {
  static const char* const names[] = {"integer", "real", "alpha", "choice", "object-list", "unspecified"};
  return names[static_cast<int>(type)];
}

// Every property of a field that the reader sets, on one line.
std::string DescribeField(const DictField& f) {
  std::string out = f.name.str() + " type=" + TypeName(f.type());
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

// The whole store: groups, classes, fields, and the shared reference names.
std::string Dump(const Dictionary& store) {
  std::string out = "version " + store.version + "\n";
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g) {
    out += "group " + store.GetGroup(g).name.str() + "\n";
    for (const auto& cls : store.GetGroup(g).classes) {
      out += "  " + DescribeClass(cls) + "\n";
      for (const auto& field : cls.fields) out += "    " + DescribeField(field) + "\n";
    }
  }
  for (std::uint32_t i = 0; i < store.RefNameCount(); ++i) {
    const RefName& name = store.GetRefName(i);
    out += "name " + name.name + " users=" + std::to_string(name.userCount()) +
           " definers=" + std::to_string(name.definerCount()) + "\n";
  }
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
  std::string path;
  Dictionary store;
  RecordingPrompter prompter;
  RecordingProgress progress;
  // Message texts, with the file's path written as {path}.
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (auto text : prompter.Texts()) {
      if (const auto at = text.find(path); at != std::string::npos) text.replace(at, path.size(), "{path}");
      out.push_back(text);
    }
    return out;
  }
};

std::unique_ptr<Loaded> Load(std::string_view text) {
  TempFolder folder;
  auto loaded = std::make_unique<Loaded>();
  loaded->path = folder.Write("Energy+.idd", text);
  loaded->ok = LoadDictionary(loaded->path, loaded->store, loaded->progress, loaded->prompter);
  return loaded;
}

constexpr std::string_view kFixture = R"(!IDD_Version 8.9.0-Beta
! **** a comment, with a comma; and a \group in it
Lead Input;
Simulation Data;
\group Simulation Parameters
Version,
      \memo Specifies the EnergyPlus version of the IDF file.
      \unique-object
      \format singleLine
  A1 ; \field Version Identifier
      \required-field
      \default 7.2
Building,
       \memo Describes the building.
       \memo  A second line.
       \unique-object
       \required-object
       \min-fields 3
  A1 , \field Name
       \retaincase
  N1 , \field North Axis
       \type real
       \units deg
       \ip-units deg
  A2 ; \field Terrain
       \type choice
       \key Country
       \key Suburbs
       \default Suburbs
\group Thermal Zones and Surfaces
Zone,
  A1 , \field Name
       \required-field
       \type alpha
       \reference ZoneNames
  N1 , \field Multiplier
       \type integer
       \minimum 1
       \maximum< 100
       \autosizable
  N2 ; \field Volume
       \units m3   ! cubic metres
       \autocalculatable
       \note a first note
       \note a second note
Wall:Detailed,
  \extensible:3
  \obsolete  Use Wall instead
  A1 , \field Name
  A2 , \field Zone Name
       \type object-list
       \object-list ZoneNames
       \object-list zonenames
  N1 , N2 ; \field Vertex 1 Y-coordinate
       \minimum> -5
)";

constexpr std::string_view kFixtureDump = R"(version 8.9.0-Beta
group Simulation Parameters
  Version fields=1 memo="Specifies the EnergyPlus version of the IDF file.\r\n" unique
    A1 type=unspecified label="Version Identifier" default="7.2" required
  Building fields=3 memo="Describes the building.\r\nA second line.\r\n" min-fields=3 unique required
    A1 type=unspecified label="Name" retaincase
    N1 type=real label="North Axis" units="deg" ip="deg"
    A2 type=choice label="Terrain" default="Suburbs" key=Country key=Suburbs
group Thermal Zones and Surfaces
  Zone fields=3
    A1 type=alpha label="Name" required name=ZoneNames
    N1 type=integer label="Multiplier" min="1" max="100" min-incl autosizable
    N2 type=unspecified label="Volume" note="a first note\r\na second note\r\n" units="m3" autocalculatable
  Wall:Detailed fields=4 obsolete="Use Wall instead" extensible
    A1 type=unspecified label="Name"
    A2 type=object-list label="Zone Name" name=ZoneNames name=zonenames
    N1 type=unspecified
    N2 type=unspecified label="Vertex 1 Y-coordinate" min="-5"
name ZoneNames users=2 definers=1
)";

TEST(IddReaderTest, ReadsEveryPropertyOfASmallDictionary) {
  const auto loaded = Load(WithCrLf(kFixture));
  ASSERT_TRUE(loaded->ok);
  EXPECT_TRUE(loaded->prompter.messages.empty());
  EXPECT_EQ(Dump(loaded->store), kFixtureDump);
  std::uint16_t g = 0, c = 0;
  EXPECT_TRUE(loaded->store.FindClass("wall:DETAILED", g, c));
  EXPECT_EQ(g, 1);
  EXPECT_EQ(c, 1);
}

TEST(IddReaderTest, LineEndsOfEitherKindGiveTheSameStore) {
  std::string mixed;  // CR LF and LF on alternate lines
  bool crlf = false;
  for (const char ch : kFixture) mixed += ch == '\n' ? ((crlf = !crlf) ? "\r\n" : "\n") : std::string(1, ch);
  for (const auto& text : {std::string(kFixture), WithCrLf(kFixture), mixed}) {
    const auto loaded = Load(text);
    EXPECT_TRUE(loaded->ok);
    EXPECT_EQ(Dump(loaded->store), kFixtureDump) << Visible(text.substr(0, 40));
  }
}

// One field A1 labelled F, then the given property lines.
TEST(IddReaderTest, FieldProperties) {
  const struct {
    const char* lines;
    const char* field;
  } cases[] = {
      {"\\minimum> 0", "A1 type=unspecified label=\"F\" min=\"0\""},
      {"\\maximum< 100", "A1 type=unspecified label=\"F\" max=\"100\""},
      {"\\minimum 0\n\\maximum 100", "A1 type=unspecified label=\"F\" min=\"0\" max=\"100\" min-incl max-incl"},
      {"\\minimum 0\n\\minimum> 1", "A1 type=unspecified label=\"F\" min=\"1\""},
      {"\\type Integer", "A1 type=integer label=\"F\""},
      {"\\TYPE integer", "A1 type=integer label=\"F\""},
      {"\\type  real", "A1 type=unspecified label=\"F\""},
      {"\\type alphanumeric", "A1 type=alpha label=\"F\""},
      {"\\type real\n\\type node", "A1 type=real label=\"F\""},
      {"\\type object-list", "A1 type=unspecified label=\"F\""},
      {"\\type object-list\n\\object-list ZoneNames", "A1 type=object-list label=\"F\" name=ZoneNames"},
      {"\\reference R1\n\\reference-class-name X", "A1 type=unspecified label=\"F\" name=R1"},
      {"\\note one\n\\note  two ", "A1 type=unspecified label=\"F\" note=\"one\\r\\ntwo\\r\\n\""},
      {"\\units m    ! metres", "A1 type=unspecified label=\"F\" units=\"m\""},
      {"\\units \n\\units\n\\key \n\\key\n\\object-list ", "A1 type=unspecified label=\"F\""},
      {"\\Required-Field yes\n\\AUTOSIZABLE\n\\autocalculatable\n\\RetainCase",
       "A1 type=unspecified label=\"F\" required autosizable autocalculatable retaincase"},
      {"\\key A\n\\key  B \n\\ip-units ft", "A1 type=unspecified label=\"F\" ip=\"ft\" key=A key=B"},
      {"\\field Other \\note x", "A1 type=unspecified label=\"Other \\note x\""},
      {"\\default 7.2 ! comment \\key x", "A1 type=unspecified label=\"F\" default=\"7.2\""},
      {"\\memo not for fields\n\\unique-object\n\\begin-extensible", "A1 type=unspecified label=\"F\""},
  };
  for (const auto& test : cases) {
    const auto loaded = Load(WithCrLf("\\group G\nC,\n  A1 ; \\field F\n" + std::string(test.lines) + "\n"));
    ASSERT_TRUE(loaded->ok) << test.lines;
    EXPECT_EQ(DescribeField(loaded->store.GetField(0, 0, 0)), test.field) << test.lines;
    EXPECT_EQ(DescribeClass(loaded->store.GetClass(0, 0)), "C fields=1") << test.lines;
  }
}

// Class C, then the given lines, which end it.
TEST(IddReaderTest, ClassProperties) {
  const struct {
    const char* lines;
    const char* cls;
  } cases[] = {
      {"\\memo one\n\\memo two\nA1;", "C fields=1 memo=\"one\\r\\ntwo\\r\\n\""},
      {"A1,\n\\memo late\nA2;", "C fields=2"},
      {"\\unique-object\n\\required-object\n\\extensible:4 ! x\nA1;", "C fields=1 unique required extensible"},
      {"\\min-fields 12\nA1;", "C fields=1 min-fields=12"},
      {"\\min-fields   -3\nA1;", "C fields=1 min-fields=65533"},
      {"\\min-fields 70000\nA1;", "C fields=1 min-fields=4464"},
      {"\\min-fields +7abc\n\\min-fields x\nA1;", "C fields=1"},
      {"\\obsolete  Use Other \nA1;", "C fields=1 obsolete=\"Use Other\""},
      {"\\field not for classes\n\\key k\nA1;", "C fields=1"},
  };
  for (const auto& test : cases) {
    const auto loaded = Load("\\group G\nC,\n" + std::string(test.lines) + "\n");
    ASSERT_TRUE(loaded->ok) << test.lines;
    EXPECT_EQ(DescribeClass(loaded->store.GetClass(0, 0)), test.cls) << test.lines;
  }
}

// Where properties land as the reader moves between classes and groups.
TEST(IddReaderTest, PropertiesFollowTheReaderState) {
  const auto loaded = Load(
      "\\memo before any group\n\\default 1\n"
      "\\group G\n\\memo between group and class\n"
      "Version,\n\\unique-object\n  A1 ; \\field Version Identifier\n\\default 7.2\n"
      "\\group H\n\\default 9\nD,A1;\n");
  ASSERT_TRUE(loaded->ok);
  EXPECT_TRUE(loaded->prompter.messages.empty());
  EXPECT_EQ(DescribeClass(loaded->store.GetClass(0, 0)), "Version fields=1 unique");
  EXPECT_EQ(DescribeField(loaded->store.GetField(0, 0, 0)),
            "A1 type=unspecified label=\"Version Identifier\" default=\"7.2\"");
  EXPECT_EQ(DescribeField(loaded->store.GetField(1, 0, 0)), "A1 type=unspecified");
}

TEST(IddReaderTest, VersionAndStartOfDefinitions) {
  const struct {
    const char* text;
    const char* version;
  } cases[] = {
      {"!IDD_Version 8.9.0\r\n\\group G\r\nC,A1;\r\n", "8.9.0"},
      {"!idd_VERSION 8.9.0 Beta \n\\group G\nC,A1;\n", "8.9.0 Beta "},
      {"!IDD_Version \r\n\\group G\nC,A1;\n", ""},
      {"\\group G\nC,A1;\n! IDD_Version 1\n", "Not found"},
      {"\\group G\nC,A1;\n!IDD_Version 9.1", "9.1"},
      // The lines up to "Simulation Data;" would each give ERROR 1.
      {"!IDD_Version 2\nLead Input;\nJunk,\nSimulation Data; more, x\n\\group G\nC,A1;\n", "2"},
      {"Junk,\r\nSIMULATION DATA;\r\n\\group G\r\nC,A1;", "Not found"},
  };
  for (const auto& test : cases) {
    const auto loaded = Load(test.text);
    EXPECT_TRUE(loaded->ok) << test.text;
    EXPECT_EQ(loaded->store.version, test.version) << test.text;
    EXPECT_EQ(Outline(loaded->store), "G: C(A1)") << test.text;
    EXPECT_TRUE(loaded->prompter.messages.empty()) << test.text;
  }
}

// Faults in the text: the messages, in order, and what is loaded.
TEST(IddReaderTest, FaultsAreReportedAndReadingGoesOn) {
  const struct {
    const char* name;
    std::string text;
    bool ok;
    std::vector<std::string> messages;
    const char* outline;
  } cases[] = {
      {"empty", "", false, {"No class found in {path}."}, ""},
      {"no group", "Zone,\n  A1;\n\\memo x\n", false, {"ERROR 1", "No class found in {path}."}, ""},
      {"empty tokens", "\\group G\nC,,A1;\nD,A1,;\n E;\n", true, {"ERROR 2", "ERROR 4"}, "G: C(A1) D(A1,E)"},
      {"class without fields before a group",
       "\\group G\nA,A1;\nB,\n\\group H\nC,A1;\n",
       true,
       {"No field found in class \"B\".\r\nThis class will be deleted."},
       "G: A(A1) | H: C(A1)"},
      {"only class of its group",
       "\\group G\nB,\n\\group H\nC,A1;\n",
       true,
       {"No field found in class \"B\".\r\nThis class will be deleted.",
        "No class found in group \"G\".\r\nThis group will be deleted."},
       "H: C(A1)"},
      {"group without classes at the end",
       "\\group G\nA,A1;\n\\group H\n",
       true,
       {"No class found in group \"H\".\r\nThis group will be deleted."},
       "G: A(A1)"},
      {"group keyword without a name", "\\group G\nA,A1;\n\\group \n\\group\nB,A1;\n", true, {}, "G: A(A1) B(A1)"},
      {"stray backslashes", "\\group G\nC,\\\n A1 \\ ;\n\\\\\\\n\\ \n A2;\n\\", true, {}, "G: C(A2)"},
      {"truncated in a field list", "\\group G\nZone,\n  A1, \\field Name\n  A2", true, {}, "G: Zone(A1)"},
      {"truncated after the class name",
       "\\group G\nZone,",
       false,
       {"No field found in class \"Zone\".\r\nThis class will be deleted.",
        "No class found in group \"G\".\r\nThis group will be deleted.", "No class found in {path}."},
       ""},
      {"NUL ends the text", std::string("\\group G\nC,A1;\n") + '\0' + "\\group H\nD,A1;\n", true, {}, "G: C(A1)"},
  };
  for (const auto& test : cases) {
    const auto loaded = Load(test.text);
    EXPECT_EQ(loaded->ok, test.ok) << test.name;
    EXPECT_EQ(loaded->Messages(), test.messages) << test.name;
    EXPECT_EQ(Outline(loaded->store), test.outline) << test.name;
    for (const RecordedMessage& m : loaded->prompter.messages) {
      const Icon icon = m.text.starts_with("ERROR")                 ? Icon::None
                        : m.text.starts_with("No class found in /") ? Icon::Error
                                                                    : Icon::Exclamation;
      EXPECT_EQ(m.caption, "Verdanto") << m.text;
      EXPECT_EQ(m.icon, icon) << m.text;
      EXPECT_EQ(m.buttons, Buttons::Ok) << m.text;
    }
    if (!test.ok) {
      EXPECT_EQ(loaded->store.version, "");
    }
  }
}

TEST(IddReaderTest, FilesThatCannotBeOpenedLeaveTheStoreEmpty) {
  TempFolder folder;
  Dictionary store;
  NullProgress progress;
  RecordingPrompter prompter;
  ASSERT_TRUE(LoadDictionary(folder.Write("good.idd", "\\group G\nC,A1;\n"), store, progress, prompter));
  for (const std::string& path : {folder.PathOf("missing.idd"), folder.PathOf("")}) {
    prompter.messages.clear();
    EXPECT_FALSE(LoadDictionary(path, store, progress, prompter));
    EXPECT_EQ(store.GroupCount(), 0);
    EXPECT_EQ(store.version, "");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Unable to open " + path + ".");
    EXPECT_EQ(prompter.messages[0].icon, Icon::Error);
  }
}

std::string Repeat(std::string_view text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Past 65 535 entries of anything the rest is refused with one warning, and
// what follows the refused entries loads as usual.
TEST(IddReaderTest, CountsPastTheStoreLimitAreRefused) {
  const std::size_t over = kMaxCount + 1;
  const struct {
    const char* name;
    std::string text;
    std::string warning;
    std::function<void(const Dictionary&)> check;
  } cases[] = {
      {"fields", "\\group G\nBig,\n" + Repeat("A1,\n", over) + "  Z; \\field lost\n\\key lost\nNext,B1;\n",
       "Too many fields in class \"Big\".\r\nThe remaining fields will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.FieldCount(0, 0), kMaxCount);
         EXPECT_EQ(DescribeField(d.GetField(0, 0, kMaxCount - 1)), "A1 type=unspecified");
         EXPECT_TRUE(Outline(d).ends_with(" Next(B1)"));
       }},
      {"keys", "\\group G\nC,\nA1;\n" + Repeat("\\key k\n", over) + "Next,B1;\n\\key z\n",
       "Too many keys in field \"A1\" of class \"C\".\r\nThe remaining keys will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.GetField(0, 0, 0).keyCount(), kMaxCount);
         EXPECT_EQ(d.GetField(0, 1, 0).keys.size(), 1u);
       }},
      {"names", "\\group G\nC,\nA1;\n" + Repeat("\\object-list n\n", over) + "Next,B1;\n",
       "Too many object-list and reference names in field \"A1\" of class \"C\".\r\n"
       "The remaining names will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.GetField(0, 0, 0).refNameCount(), kMaxCount);
         EXPECT_EQ(d.GetField(0, 0, 0).type(), FieldType::ObjectList);
         EXPECT_EQ(d.GetRefName(0).userCount(), kMaxCount);
       }},
      {"classes", "\\group G\n" + Repeat("C,A1;\n", over) + "Lost,\n\\memo m\nA1;\n\\group H\nD,A1;\n",
       "Too many classes in group \"G\".\r\nThe remaining classes will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.ClassCount(0), kMaxCount);
         EXPECT_TRUE(d.GetClass(0, kMaxCount - 1).memo.empty());
         EXPECT_TRUE(Outline(d).ends_with(" | H: D(A1)"));
       }},
      {"groups", Repeat("\\group G\nC,A1;\n", over) + "D,A1;\n",
       "Too many groups in {path}.\r\nThe remaining groups will not be loaded.",
       [](const Dictionary& d) {
         EXPECT_EQ(d.GroupCount(), kMaxCount);
         EXPECT_EQ(d.TotalClassCount(), kMaxCount);
       }},
  };
  for (const auto& test : cases) {
    const auto loaded = Load(test.text);
    ASSERT_TRUE(loaded->ok) << test.name;
    EXPECT_EQ(loaded->Messages(), std::vector<std::string>{test.warning}) << test.name;
    test.check(loaded->store);
  }
}

TEST(IddReaderTest, ProgressMovesOnePercentAtATimeAtLineStarts) {
  const std::string text = WithCrLf("\\group G\n" + Repeat("C,A1;\n", 1000));
  const auto loaded = Load(text);
  const auto& positions = loaded->progress.positions;
  EXPECT_EQ(loaded->progress.maximum, text.size());
  EXPECT_EQ(positions.size(), 99u);
  const std::size_t longestLine = 10;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    EXPECT_EQ(text[positions[i] - 1], '\n') << positions[i];
    // Step i + 1 is taken on the first line that passes i + 1 per cent.
    EXPECT_GT(positions[i], (i + 1) * text.size() / 100);
    EXPECT_LE(positions[i], (i + 1) * text.size() / 100 + longestLine);
  }
  // A line longer than the rest of the file together gives a single step.
  EXPECT_EQ(Load("\\group G\nC," + std::string(100000, 'x') + ";")->progress.positions.size(), 1u);
}

TEST(IddReaderTest, TenMegabyteLines) {
  const std::string huge(10 << 20, 'x');
  const auto note = Load("\\group G\nC,\n A1; \\note " + huge + "\n \\units m\n");
  ASSERT_TRUE(note->ok);
  EXPECT_EQ(note->store.GetField(0, 0, 0).note.size(), huge.size() + 2);
  EXPECT_EQ(note->store.GetField(0, 0, 0).units, "m");
  const auto plain = Load(huge);
  EXPECT_FALSE(plain->ok);
  EXPECT_EQ(plain->Messages(), std::vector<std::string>{"No class found in {path}."});
}

// A generated dictionary whose counts are known, with commas and semicolons in
// comments and property values that must not count.
TEST(IddReaderTest, CountsAgreeWithAGeneratedDictionary) {
  std::mt19937 random(7);
  std::string text = "!IDD_Version 1\n! A1, A2;\n";
  std::uint32_t groups = 0, classes = 0, fields = 0, keys = 0;
  for (int g = 0; g < 6; ++g, ++groups) {
    text += "\\group Group " + std::to_string(g) + "\n";
    for (std::uint32_t c = 1 + random() % 20; c > 0; --c, ++classes) {
      text += "Class" + std::to_string(classes) + ",\n  \\memo a, b; c\n";
      for (std::uint32_t f = 1 + random() % 40; f > 0; --f, ++fields) {
        text += "  A" + std::to_string(f) + (f == 1 ? " ;" : " ,") + " \\field x, y;\n";
        for (std::uint32_t k = random() % 4; k > 0; --k, ++keys) text += "   \\key k, ;" + std::to_string(k) + "\n";
        if (random() % 3 == 0) text += "   ! N9, N10;\n   \\note p, q;\n";
      }
    }
  }
  const auto loaded = Load(text);
  ASSERT_TRUE(loaded->ok);
  const Dictionary& store = loaded->store;
  std::uint32_t gotFields = 0, gotKeys = 0;
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const auto& cls : store.GetGroup(g).classes) {
      gotFields += cls.fieldCount();
      for (const auto& field : cls.fields) gotKeys += field.keyCount();
    }
  EXPECT_EQ(store.GroupCount(), groups);
  EXPECT_EQ(store.TotalClassCount(), classes);
  EXPECT_EQ(gotFields, fields);
  EXPECT_EQ(gotKeys, keys);
}

// Random bytes and random mixes of dictionary pieces: never a crash, and what
// loads keeps the store's shape (no empty class or group).
TEST(IddReaderTest, RandomInputLoadsOrFailsCleanly) {
  const std::string_view pieces[] = {",", ";", "\\", "!", "\n", "\r\n", "\r", " ", "A1", "\\group G", "\\group ",
                                     "\\key k", "\\object-list N", "\\reference N", "\\min-fields -9", "\\memo m",
                                     "Simulation Data;", "!IDD_Version 1", std::string_view("\0", 1)};
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const bool bytes = round % 4 == 0;
    for (int i = 0; i < 400; ++i) {
      if (bytes)
        text += static_cast<char>(random());
      else
        text += pieces[random() % std::size(pieces)];
    }
    Dictionary store;
    NullProgress progress;
    RecordingPrompter prompter;
    const bool ok = LoadDictionaryText(text, "random", store, progress, prompter);
    EXPECT_EQ(ok, store.GroupCount() > 0);
    for (std::uint16_t g = 0; g < store.GroupCount(); ++g) {
      EXPECT_GT(store.ClassCount(g), 0) << round;
      for (std::uint16_t c = 0; c < store.ClassCount(g); ++c) EXPECT_GT(store.FieldCount(g, c), 0) << round;
    }
  }
}

}  // namespace
}  // namespace verdanto
