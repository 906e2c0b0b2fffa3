#pragma once
// A sink that writes one trace file: whether the file could be created, and
// whether a write to it failed, with the reasons. The trace formats build on it.

#include <string>

#include "platform/traces/TraceFile.h"
#include "platform/traces/TraceSink.h"

namespace quorvane::platform {

class TraceFileSink : public TraceSink {
 public:
  // Empty path or a file that cannot be created: Ok() is false and Error() says why.
  bool Ok() const { return file_.Ok(); }
  const std::string& Error() const { return file_.Error(); }
  bool Failed() const override { return file_.Failed(); }
  const std::string& Failure() const override { return file_.Failure(); }

 protected:
  explicit TraceFileSink(const std::string& path) : file_(path) {}
  TraceFile file_;
};

}  // namespace quorvane::platform
