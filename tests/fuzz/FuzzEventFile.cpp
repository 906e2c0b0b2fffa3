// Event files of any content: read as steps, as the editor's list, as a
// description and in the catalogue, and written back whole.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "FuzzInput.h"
#include "events/EventCatalogue.h"
#include "events/EventFile.h"
#include "events/TextFile.h"

namespace {

// One folder per fuzzing process, made once.
const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/quorvane-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) std::abort();
    return std::string(made) + "/";
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string path = Folder() + "e.evnt";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  global::StepArray steps;
  const bool readable = events::ReadEventSteps(path, steps);
  fuzz::Check(steps[20] == "X");
  // A file is readable when it has a first line: anything but nothing, or
  // nothing after a byte-order mark.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::Check(readable == (size > 0 && bytes != events::kUtf8ByteOrderMark));

  std::vector<std::string> lines;
  const bool listed = events::LoadEventLines(path, lines);
  fuzz::Check(listed == readable);
  for (std::size_t slot = 0; slot < 20; ++slot) {
    fuzz::Check(slot < lines.size() ? steps[slot] == lines[slot] : steps[slot] == "X");
  }

  const std::string description = events::ReadEventDescription(Folder(), "e");
  const auto catalogue = events::EventCatalogue(Folder(), true);
  fuzz::Check(catalogue.size() == 1 && catalogue[0] == "e, " + description);

  // The lines written back read back the same, in the file's encoding or, for
  // Latin-1 bytes that would read as UTF-8, in UTF-8.
  if (listed) {
    std::vector<std::string> file = {"d"};
    file.insert(file.end(), lines.begin(), lines.end());
    fuzz::Check(!events::WriteTextLinesAtomically(path, file).has_value());
    std::vector<std::string> again;
    fuzz::Check(events::LoadEventLines(path, again));
    fuzz::Check(again == lines);
  }
  return 0;
}
