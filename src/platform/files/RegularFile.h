#pragma once
// Opening the files the program reads (event files, value-list files): only
// regular files are opened, and opening never waits. A named pipe or a device
// that carries an event file's name would otherwise hold an ordinary open until
// some other program writes to it, and the program would hang at start-up.

#include <cstdio>
#include <memory>
#include <string>

namespace quorvane::platform {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

struct OpenedFile {
  FileHandle file;  // null when the file was not opened
  // Why not: "it does not exist", "it is a named pipe", "it is a folder", or
  // the system's reason ("Permission denied").
  std::string problem;
  bool notAFile = false;  // something other than a regular file has the name
};

// Opens Path for reading in binary mode when it is a regular file (a symbolic
// link to one included). The type is checked on the opened file itself, so a
// file swapped for a pipe between a check and the open is still refused.
OpenedFile OpenRegularFile(const std::string& path);

}  // namespace quorvane::platform
