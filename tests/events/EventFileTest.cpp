#include "events/EventFile.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "TempFolder.h"
#include "events/EventCatalogue.h"
#include "events/TextFile.h"
#include "platform/files/TextPath.h"

namespace quorvane::events {
namespace {

using testing::TempFolder;
using Lines = std::vector<std::string>;

std::string StepLines(int count) {
  std::string text = "Many steps\r\n";
  for (int i = 0; i < count; ++i) text += "SB, " + std::to_string(i) + "\r\n";
  return text;
}

TEST(ReadEventSteps, FillsTwentySlotsAndMarksTheRest) {
  TempFolder folder;
  global::StepArray steps;
  ASSERT_TRUE(ReadEventSteps(folder.Write("many.evnt", StepLines(25)), steps));
  for (std::size_t slot = 0; slot < 20; ++slot)
    EXPECT_EQ(steps[slot], "SB, " + std::to_string(slot));
  EXPECT_EQ(steps[20], "X");
  EXPECT_EQ(steps.linesNotRun, 5u) << "the step lines after the 20th are counted";
  ASSERT_TRUE(ReadEventSteps(folder.Write("twenty.evnt", StepLines(20)), steps));
  EXPECT_EQ(steps.linesNotRun, 0u);
  ASSERT_TRUE(ReadEventSteps(folder.Write("blank.evnt", StepLines(20) + "\r\n"), steps));
  EXPECT_EQ(steps.linesNotRun, 1u) << "a blank 21st line is a step line too";

  ASSERT_TRUE(ReadEventSteps(folder.Write("three.evnt", "d\r\nSB, 1\r\n\r\nfoo, 2\r\n"), steps));
  EXPECT_EQ(steps[0], "SB, 1");
  EXPECT_EQ(steps[1], "") << "blank lines are kept as steps";
  EXPECT_EQ(steps[2], "foo, 2");
  for (std::size_t slot = 3; slot < global::kStepSlots; ++slot) EXPECT_EQ(steps[slot], "X");
}

TEST(ReadEventSteps, MissingEmptyAndDescriptionOnlyFilesGiveAnEmptyEvent) {
  TempFolder folder;
  const global::StepArray allX = [] {
    global::StepArray steps;
    steps.fill("X");
    return steps;
  }();
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file
    bool readable;
  };
  const Case cases[] = {
      {"missing.evnt", nullptr, false},
      {"empty.evnt", "", false},
      {"description.evnt", "Only a description\r\n", true},
      {"unterminated.evnt", "Only a description", true},
  };
  for (const Case& c : cases) {
    const std::string path = c.content ? folder.Write(c.name, c.content) : folder.File(c.name);
    global::StepArray steps;
    steps.fill("old");
    EXPECT_EQ(ReadEventSteps(path, steps), c.readable) << c.name;
    EXPECT_EQ(steps, allX) << c.name;
  }
}

TEST(ReadEventSteps, LfCrLfAndCrLineEndsReadTheSame) {
  TempFolder folder;
  const Lines expected = {"SB, 25", "TX, 16,SL,DH,", "", "SB, 25"};
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    const std::string text = "Command" + std::string(eol) + "SB, 25" + eol + "TX, 16,SL,DH," + eol +
                             eol + "SB, 25" + eol;
    global::StepArray steps;
    ReadEventSteps(folder.Write("e.evnt", text), steps);
    EXPECT_EQ(Lines(steps.begin(), steps.begin() + 4), expected) << "line end " << int{eol[0]};
    EXPECT_EQ(steps[4], "X");
    Lines listed;
    EXPECT_TRUE(LoadEventLines(folder.File("e.evnt"), listed));
    EXPECT_EQ(listed, expected);
  }
}

TEST(LoadEventLines, ListsEveryStepLine) {
  TempFolder folder;
  Lines listed{"stale"};
  ASSERT_TRUE(LoadEventLines(folder.Write("many.evnt", StepLines(25)), listed));
  ASSERT_EQ(listed.size(), 25u);
  EXPECT_EQ(listed[24], "SB, 24");

  EXPECT_TRUE(LoadEventLines(folder.Write("d.evnt", "Description only\r\n"), listed));
  EXPECT_TRUE(listed.empty());
  listed = {"stale"};
  EXPECT_FALSE(LoadEventLines(folder.Write("empty.evnt", ""), listed));
  EXPECT_TRUE(listed.empty());
  EXPECT_FALSE(LoadEventLines(folder.File("missing.evnt"), listed));
}

TEST(EventFiles, ReadLatin1IntoUtf8AndWriteItBack) {
  TempFolder folder;
  folder.Write("accents.evnt", "Caf\xE9 \xB5s\r\nSB, 1\r\n");
  EXPECT_EQ(ReadEventDescription(folder.Folder(), "accents"), "Caf\u00e9 \u00b5s");

  // A new file is Latin-1, unless its Latin-1 bytes would read back as UTF-8.
  const struct {
    Lines lines;
    std::string bytes;
  } cases[] = {
      {{"\u00c9v\u00e9nement", "SB, 1", ""}, "\xC9v\xE9nement\r\nSB, 1\r\n\r\n"},
      {{"\u20ac sign"}, "? sign\r\n"},             // outside Latin-1 becomes '?'
      {{"\u00c3\u00a9"}, "\xC3\x83\xC2\xA9\r\n"},  // Latin-1 C3 A9 is the UTF-8 of "é"
      {{"\u00ef\u00bb\u00bfReset"}, "\xC3\xAF\xC2\xBB\xC2\xBFReset\r\n"},  // EF BB BF: a mark
      {{"\u00c3\u00a9 \u00ff"}, "\xC3\xA9 \xFF\r\n"},  // FF is no UTF-8: Latin-1 is safe
  };
  for (const auto& c : cases) {
    std::filesystem::remove(folder.Path() / "out.evnt");
    ASSERT_EQ(WriteTextLinesAtomically(folder.File("out.evnt"), c.lines), std::nullopt);
    EXPECT_EQ(folder.Read("out.evnt"), c.bytes) << c.lines[0];
    Lines again;
    ASSERT_TRUE(LoadEventLines(folder.File("out.evnt"), again));
    if (c.bytes.find('?') == std::string::npos) {
      again.insert(again.begin(), ReadEventDescription(folder.Folder(), "out"));
      EXPECT_EQ(again, c.lines) << "reads back as written: " << c.lines[0];
    }
  }
}

// The files are Latin-1, also on Windows, where the system's code page is
// mostly Windows-1252: bytes 0x80 to 0x9F are read as Latin-1's control
// characters U+0080 to U+009F (not as the euro sign and the typographic
// quotes of Windows-1252), so each of the 256 bytes is one character and comes
// back as it was when the lines are written again.
TEST(EventFiles, EveryByteComesBackAsItWasWithItsCrLf) {
  TempFolder folder;
  std::string everyByte;
  for (int byte = 1; byte <= 0xFF; ++byte) {
    if (byte != '\r' && byte != '\n') everyByte += static_cast<char>(byte);
  }
  const std::string bytes = everyByte + "\r\nSB, 21\r\nTX, 4,SL,DH,\x80\r\n\r\nDL, 10\r\n";
  folder.Write("all.evnt", bytes);

  Lines lines;
  TextLineReader reader(folder.File("all.evnt"));
  while (const auto line = reader.NextLine()) lines.push_back(*line);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], Latin1ToUtf8(everyByte));
  EXPECT_EQ(lines[2], "TX, 4,SL,DH,\xC2\x80") << "0x80 is U+0080";
  EXPECT_EQ(lines[3], "");

  ASSERT_EQ(WriteTextLinesAtomically(folder.File("copy.evnt"), lines), std::nullopt);
  EXPECT_EQ(folder.Read("copy.evnt"), bytes);
  global::StepArray steps;
  ASSERT_TRUE(ReadEventSteps(folder.File("copy.evnt"), steps));
  EXPECT_EQ(steps[0], "SB, 21");
  EXPECT_EQ(steps[2], "");
  EXPECT_EQ(steps[4], "X");
}

TEST(EventFiles, AFailedWriteLeavesTheOldFile) {
  TempFolder folder;
  folder.Write("keep.evnt", "old\r\n");
  const auto error = WriteTextLinesAtomically(folder.File("no-such-folder/keep.evnt"), {"new"});
  EXPECT_TRUE(error.has_value());
  EXPECT_EQ(folder.Read("keep.evnt"), "old\r\n");
}

TEST(ReadEventDescription, TakesTheFirstCommaDelimitedField) {
  TempFolder folder;
  struct Case {
    const char* firstLine;
    const char* description;
  };
  const Case cases[] = {
      {"Reset, slow", "Reset"},
      {"   Leading blanks", "Leading blanks"},
      {"\"Quoted, with comma\" tail", "Quoted, with comma"},
      {"\"Unclosed, quote", "Unclosed, quote"},
      {"", ""},
      {"Plain text", "Plain text"},
  };
  for (const Case& c : cases) {
    folder.Write("e.evnt", std::string(c.firstLine) + "\r\nSB, 1\r\n");
    EXPECT_EQ(ReadEventDescription(folder.Folder(), "e"), c.description) << c.firstLine;
  }
  EXPECT_EQ(ReadEventDescription(folder.Folder(), "missing"), "");
}

TEST(EventCatalogue, ListsEventFilesWithTheirDescriptions) {
  TempFolder folder;
  folder.Write("0.evnt", "Reset, slow\r\n");
  folder.Write("1.evnt", "Command\r\n");
  folder.Write("probe.evnt", "Probe the lines\r\n");
  folder.Write("a.b.evnt", "Dotted\r\n");
  folder.Write("empty.evnt", "");
  folder.Write("notes.txt", "not an event\r\n");
  folder.Write("upper.EVNT", "other case\r\n");
  std::filesystem::create_directory(folder.Path() / "dir.evnt");

  EXPECT_EQ(EventCatalogue(folder.Folder(), false),
            (Lines{"a.b, Dotted", "empty, ", "probe, Probe the lines"}));
  EXPECT_EQ(EventCatalogue(folder.Folder(), true),
            (Lines{"0, Reset", "1, Command", "a.b, Dotted", "empty, ", "probe, Probe the lines"}));
  EXPECT_TRUE(EventCatalogue(folder.FolderIn("no-such-folder"), true).empty());
}

TEST(InitEvents, LoadsTheStandardEventsAndTheUsersCatalogue) {
  TempFolder folder;
  folder.Write("0.evnt", "Reset\r\nSB, 9\r\n");
  folder.Write("2.evnt", "Data\r\nSB, 25\r\nTX, 20,SL,DH,\r\n");
  folder.Write("mine.evnt", "Mine\r\nSB, 1\r\n");
  global::Global global;
  global.ProgramFolder = folder.Folder();
  const InitEventsResult result = InitEvents(global);
  EXPECT_EQ(global.ResetEventSteps[0], "SB, 9");
  EXPECT_EQ(global.DataEventSteps[1], "TX, 20,SL,DH,");
  EXPECT_EQ(global.CommandEventSteps[0], "X") << "a missing standard event is empty";
  EXPECT_EQ(global.SelectedEventSteps[0], "") << "untouched until an event is chosen";
  EXPECT_EQ(result.unreadable, Lines{"1.evnt"});
  EXPECT_EQ(result.catalogue, (std::vector<CatalogueEntry>{{"mine", "Mine"}}));
}

// Named pipes in a folder, and alarm() to catch a hang, are POSIX things.
#ifndef _WIN32

// Ends the test process if a file open blocks, so a hang fails the test.
class OpenWatchdog {
 public:
  OpenWatchdog() { alarm(20); }
  ~OpenWatchdog() { alarm(0); }
};

TEST(EventFiles, OnlyRegularFilesAreReadAndOpeningNeverBlocks) {
  OpenWatchdog watchdog;
  TempFolder folder;
  folder.Write("real.evnt", "Real\r\nSB, 1\r\n");
  ASSERT_EQ(mkfifo(folder.File("1.evnt").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.File("pipe.evnt").c_str(), 0600), 0);
  std::filesystem::create_directory(folder.Path() / "dir.evnt");
  std::filesystem::create_symlink(folder.File("real.evnt"), folder.Path() / "link.evnt");

  global::StepArray steps;
  steps.fill("old");
  EXPECT_FALSE(ReadEventSteps(folder.File("pipe.evnt"), steps));
  EXPECT_EQ(steps[0], "X");
  Lines lines;
  EXPECT_FALSE(LoadEventLines(folder.File("pipe.evnt"), lines));
  EXPECT_EQ(ReadEventDescription(folder.Folder(), "pipe"), "");
  ASSERT_TRUE(ReadEventSteps(folder.File("link.evnt"), steps)) << "a link to a file is read";
  EXPECT_EQ(steps[0], "SB, 1");

  const struct {
    const char* name;
    const char* problem;
    bool notAFile;
  } cases[] = {
      {"pipe.evnt", "it is a named pipe", true},
      {"dir.evnt", "it is a folder", true},
      {"missing.evnt", "it does not exist", false},
      {"real.evnt", "", false},
  };
  for (const auto& c : cases) {
    const TextLineReader reader(folder.File(c.name));
    EXPECT_EQ(reader.IsOpen(), std::string(c.problem).empty()) << c.name;
    EXPECT_EQ(reader.OpenProblem(), c.problem) << c.name;
    EXPECT_EQ(reader.NotAFile(), c.notAFile) << c.name;
  }

  // Start-up: the pipe in place of the command event gives an empty event.
  global::Global global;
  global.ProgramFolder = folder.Folder();
  const InitEventsResult result = InitEvents(global);
  EXPECT_EQ(result.unreadable, (Lines{"2.evnt", "1.evnt", "0.evnt"}));
  EXPECT_EQ(global.CommandEventSteps[0], "X");
  EXPECT_EQ(result.catalogue, (std::vector<CatalogueEntry>{{"link", "Real"}, {"real", "Real"}}))
      << "only regular files are listed";
}

#endif  // !_WIN32

TEST(EventCatalogue, KeepsFileNamesThatAreNotUtf8AsTheirBytes) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows keeps file names in UTF-16: every name the catalogue lists is UTF-8";
#endif
  TempFolder folder;
  const std::string latin1Name = "caf\xE9";  // a Latin-1 name from another machine
  folder.Write(latin1Name + ".evnt", "Coffee\r\nSB, 7\r\n");
  folder.Write("z\xC3\xBCrich.evnt", "Utf8\r\n");
  const auto entries = EventEntries(folder.Folder(), false);
  ASSERT_EQ(entries,
            (std::vector<CatalogueEntry>{{latin1Name, "Coffee"}, {"z\xC3\xBCrich", "Utf8"}}));
  // The name taken from the list opens the same file.
  global::StepArray steps;
  ASSERT_TRUE(ReadEventSteps(folder.Folder() + entries[0].name + kEventExtension, steps));
  EXPECT_EQ(steps[0], "SB, 7");
  EXPECT_EQ(entries[0].Item(), latin1Name + ", Coffee");
}

// A folder and an event named outside ASCII: the name the catalogue lists
// opens the same file, also on Windows, where names are UTF-16 underneath.
TEST(EventCatalogue, NamesOutsideAsciiLeadBackToTheirFiles) {
  TempFolder root;
  const std::string folder = root.FolderIn("Jos\xC3\xA9");  // "José"
  std::filesystem::create_directory(platform::PathFromText(folder));
  const std::string name =
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC";  // "Grüße €"
  ASSERT_EQ(WriteTextLinesAtomically(folder + name + kEventExtension, {"Gr\xC3\xBC\xC3\x9F"
                                                                       "e",
                                                                       "SB, 7"}),
            std::nullopt);
  EXPECT_EQ(root.Read("Jos\xC3\xA9/" + name + kEventExtension),
            "Gr\xFC\xDF"
            "e\r\nSB, 7\r\n");

  const auto entries = EventEntries(folder, false);
  ASSERT_EQ(entries, (std::vector<CatalogueEntry>{{name,
                                                   "Gr\xC3\xBC\xC3\x9F"
                                                   "e"}}));
  global::StepArray steps;
  ASSERT_TRUE(ReadEventSteps(folder + entries[0].name + kEventExtension, steps));
  EXPECT_EQ(steps[0], "SB, 7");
}

// Each file is read as UTF-8 or as Latin-1 as a whole, and the lines read,
// written back, give the same bytes.
TEST(TextFiles, AByteOrderMarkOrValidUtf8MakesAFileUtf8) {
  TempFolder folder;
  const std::string bom(kUtf8ByteOrderMark);
  const std::string longAscii(70000, 'a');
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;  // as read: the description, then the steps
    TextEncoding encoding;
    const char* saved = nullptr;  // the bytes written back; nullptr: as read
  } cases[] = {
      // "Café → LCD" after the mark; a second mark before a step line.
      {"marked",
       bom + "Caf\xC3\xA9 \xE2\x86\x92 LCD\r\nSB, 5\r\n" + bom + "SB, 6\r\n",
       {"Caf\xC3\xA9 \xE2\x86\x92 LCD", "SB, 5", "SB, 6"},
       TextEncoding::Utf8WithMark,
       "\xEF\xBB\xBF"
       "Caf\xC3\xA9 \xE2\x86\x92 LCD\r\nSB, 5\r\nSB, 6\r\n"},
      // Bytes that are not UTF-8 in a marked file are Latin-1 characters.
      {"broken",
       bom + "a\xE9"
             "b\xC3\r\n",
       {"a\xC3\xA9"
        "b\xC3\x83"},
       TextEncoding::Utf8WithMark,
       "\xEF\xBB\xBF"
       "a\xC3\xA9"
       "b\xC3\x83\r\n"},
      // A Linux text editor's file: "Delay 5 µs", "→" in a step.
      {"linux",
       "Delay 5 \xC2\xB5s\nDL, 5\nTX, 4,SL,DH,\xE2\x86\x92\n",
       {"Delay 5 \xC2\xB5s", "DL, 5", "TX, 4,SL,DH,\xE2\x86\x92"},
       TextEncoding::Utf8,
       "Delay 5 \xC2\xB5s\r\nDL, 5\r\nTX, 4,SL,DH,\xE2\x86\x92\r\n"},
      // A mark at the start of a later line is no text in a file without one.
      {"joined",
       "Caf\xC3\xA9\r\n" + bom + "SB, 6\r\n",
       {"Caf\xC3\xA9", "SB, 6"},
       TextEncoding::Utf8,
       "Caf\xC3\xA9\r\nSB, 6\r\n"},
      // "é" cut by the end of the first 64 KiB block: the next one completes it.
      {"straddling",
       "d\r\n" + std::string(65532, 'a') + "\xC3\xA9\r\n",
       {"d", std::string(65532, 'a') + "\xC3\xA9"},
       TextEncoding::Utf8},
      {"latin1", "Caf\xE9 \xB5s\r\n", {"Caf\xC3\xA9 \xC2\xB5s"}, TextEncoding::Latin1},
      // One byte that is not UTF-8 makes the whole file Latin-1.
      {"mixed",
       "Caf\xC3\xA9\r\nSB, 1 \xE9\r\n",
       {"Caf\xC3\x83\xC2\xA9", "SB, 1 \xC3\xA9"},
       TextEncoding::Latin1},
      {"late",
       "d\r\n" + longAscii + "\xE9\r\n",
       {"d", longAscii + "\xC3\xA9"},
       TextEncoding::Latin1},
      // A mark that is not whole is Latin-1 text.
      {"half", "\xEF\xBB\r\n", {"\xC3\xAF\xC2\xBB"}, TextEncoding::Latin1},
      {"ascii", "Reset\r\nSB, 9\r\n", {"Reset", "SB, 9"}, TextEncoding::Latin1},
  };
  for (const auto& c : cases) {
    const std::string path = folder.Write(std::string(c.name) + ".evnt", c.bytes);
    EXPECT_EQ(FileEncoding(path), c.encoding) << c.name;
    Lines lines;
    {
      // Closed before the write: Windows replaces no file that is open.
      TextLineReader reader(path);
      while (const auto line = reader.NextLine()) lines.push_back(*line);
    }
    EXPECT_EQ(lines, c.lines) << c.name;
    ASSERT_EQ(WriteTextLinesAtomically(path, lines), std::nullopt) << c.name;
    EXPECT_EQ(folder.Read(std::string(c.name) + ".evnt"), c.saved ? c.saved : c.bytes) << c.name;
  }

  // The catalogue shows a UTF-8 description as the text it is.
  folder.Write("linux.evnt", "Delay 5 \xC2\xB5s\nDL, 5\n");
  EXPECT_EQ(ReadEventDescription(folder.Folder(), "linux"), "Delay 5 \xC2\xB5s");
  global::StepArray steps;
  ASSERT_TRUE(ReadEventSteps(folder.File("joined.evnt"), steps));
  EXPECT_EQ(steps[0], "SB, 6") << "a mark at the start of a line is dropped";
  // A mark alone is an empty file.
  folder.Write("mark.evnt", bom);
  EXPECT_FALSE(ReadEventSteps(folder.File("mark.evnt"), steps));
}

TEST(TextFiles, Utf8OrLatin1KeepsValidSequencesOnly) {
  const struct {
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {"plain", "plain"},
      {"\xC3\xA9\xE2\x86\x92\xF0\x9F\x98\x80", "\xC3\xA9\xE2\x86\x92\xF0\x9F\x98\x80"},
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                          // overlong "/"
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate
      {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // above U+10FFFF
      {"\xE2\x86", "\xC3\xA2\xC2\x86"},                          // cut short
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8OrLatin1(c.bytes), c.utf8) << c.bytes;
}

}  // namespace
}  // namespace quorvane::events
