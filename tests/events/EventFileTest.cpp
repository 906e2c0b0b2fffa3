#include "events/EventFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "events/EventCatalogue.h"
#include "events/TextFile.h"

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

  ASSERT_EQ(WriteTextLinesAtomically(folder.File("out.evnt"), {"\u00c9v\u00e9nement", "SB, 1", ""}),
            std::nullopt);
  EXPECT_EQ(folder.Read("out.evnt"), "\xC9v\xE9nement\r\nSB, 1\r\n\r\n");
  ASSERT_EQ(WriteTextLinesAtomically(folder.File("out.evnt"), {"\u20ac sign"}), std::nullopt);
  EXPECT_EQ(folder.Read("out.evnt"), "? sign\r\n") << "outside Latin-1 becomes '?'";
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
  EXPECT_TRUE(EventCatalogue(folder.File("no-such-folder") + "/", true).empty());
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
  EXPECT_EQ(result.catalogue, Lines{"mine, Mine"});
}

}  // namespace
}  // namespace quorvane::events
