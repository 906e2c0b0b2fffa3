#pragma once
// The program-wide values: the program folder, the output byte and the four
// step arrays. One Global lives for the whole run and is handed to every part
// of the engine that reads or changes these values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::global {

// Slots of a step array: 0 to 19 hold steps, slot 20 always holds the end marker.
inline constexpr std::size_t kStepSlots = 21;
inline constexpr std::size_t kMaxSteps = 20;
inline constexpr const char* kEndMarker = "X";

// The step lines of one loaded event in file order, "X" in every slot without a
// step. A slot that no file was ever read into holds an empty string.
struct StepArray : std::array<std::string, kStepSlots> {
  // Step lines of the file after the 20th: never run, and every run says so.
  std::size_t linesNotRun = 0;
};

struct Global {
  // Folder of the program, ending in the platform's folder separator.
  std::string ProgramFolder;
  // Levels of the eight data lines: D0 SCLK, D1 SDA, D2 D/C, D3 CS, D4 RESET.
  std::uint8_t OutputByte = 0;
  StepArray ResetEventSteps{};
  StepArray CommandEventSteps{};
  StepArray DataEventSteps{};
  StepArray SelectedEventSteps{};
};

}  // namespace quorvane::global
