#pragma once
// Common dialogs that show nothing: each call answers with the next scripted
// path (an empty one cancels), and the version query answers with a set major
// version.

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

#include "platform/desktop/CommonDialogs.h"

namespace quorvane::testing {

class ScriptedCommonDialogs final : public platform::CommonDialogs {
 public:
  bool GetOpenFileNameA(platform::OpenFileNameRecord& record) override { return Answer(record); }
  bool GetSaveFileNameA(platform::OpenFileNameRecord& record) override { return Answer(record); }
  std::uint32_t GetFileVersionInfoSizeA(const char*) override { return sizeof fixedInfo_; }
  bool GetFileVersionInfoA(const char*, std::uint32_t size, void* data) override {
    fixedInfo_[10] = static_cast<unsigned char>(majorVersion);
    std::memcpy(data, fixedInfo_, std::min<std::size_t>(size, sizeof fixedInfo_));
    return true;
  }
  bool VerQueryValueA(const void* data, const char*, const void*& value,
                      std::uint32_t& length) override {
    value = data;
    length = sizeof fixedInfo_;
    return true;
  }

  std::deque<std::string> answers;  // paths to choose, in order; "" cancels
  int calls = 0;
  int majorVersion = 6;

 private:
  bool Answer(platform::OpenFileNameRecord& record) {
    ++calls;
    if (answers.empty()) return false;
    const std::string path = answers.front();
    answers.pop_front();
    if (path.empty() || path.size() + 1 > record.nMaxFile) return false;
    std::memcpy(record.lpstrFile, path.c_str(), path.size() + 1);
    return true;
  }
  unsigned char fixedInfo_[52] = {};
};

}  // namespace quorvane::testing
