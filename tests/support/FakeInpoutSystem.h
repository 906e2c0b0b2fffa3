#pragma once
// A stand-in for the inpout32 driver DLL: records every call as a line of text
// and answers as the script says. The script outlives the stand-ins, which
// the ports own; "free" is the DLL unloaded.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ports/parallel/InpoutSystem.h"

namespace quorvane::testing {

struct InpoutScript {
  std::uint32_t loadError = 0;  // 0, or the error code of LoadLibrary
  std::set<std::string> exports = {"Out32", "IsInpOutDriverOpen", "Inp32", "IsXP64Bit"};
  bool driverOpen = true;
  int failingOut32 = 0;  // the Out32 (from 1) that leaves outError set; 0: none
  std::uint32_t outError = 0;
  std::map<std::uint32_t, std::string> words;  // FormatMessage's texts
  std::vector<std::string> calls;

  std::function<std::unique_ptr<platform::InpoutSystem>()> Factory();
};

class FakeInpoutSystem final : public platform::InpoutSystem {
 public:
  explicit FakeInpoutSystem(InpoutScript& script) : script_(script) {}
  ~FakeInpoutSystem() override {
    if (loaded_) script_.calls.push_back("free");
  }

  std::uint32_t Load(const std::string& name) override {
    script_.calls.push_back("load " + name);
    loaded_ = script_.loadError == 0;
    return script_.loadError;
  }
  bool Exports(const char* function) override { return script_.exports.contains(function); }
  bool IsDriverOpen() override {
    script_.calls.push_back("IsInpOutDriverOpen");
    return script_.driverOpen;
  }
  std::uint32_t Out32(std::uint16_t port, std::uint8_t data) override {
    char call[32];
    std::snprintf(call, sizeof call, "Out32 0x%03X 0x%02X", static_cast<unsigned>(port),
                  static_cast<unsigned>(data));
    script_.calls.push_back(call);
    return ++outs_ == script_.failingOut32 ? script_.outError : 0;
  }
  std::string ErrorText(std::uint32_t error) override {
    const auto words = script_.words.find(error);
    return words == script_.words.end() ? std::string() : words->second;
  }

 private:
  InpoutScript& script_;
  bool loaded_ = false;
  int outs_ = 0;
};

inline std::function<std::unique_ptr<platform::InpoutSystem>()> InpoutScript::Factory() {
  return [this] { return std::make_unique<FakeInpoutSystem>(*this); };
}

}  // namespace quorvane::testing
