#pragma once
// What choosing the program folder takes from the system it runs on. One file
// per platform defines these (PosixProgramFolderChoice.cpp,
// WindowsProgramFolderChoice.cpp).

#include <optional>
#include <string>

namespace quorvane::platform {

// The environment variables that name the user's data folder and the user's
// home folder.
extern const char* const kDataHomeVariable;
extern const char* const kHomeVariable;
// Where the user's data folder is, as the help says it in the system's words.
extern const char* const kUserFolderHelp;

// The home folder of the user's account, for when the home variable is not
// set; none where the system keeps no such record.
std::optional<std::string> AccountHome();

// True when this process may create files in the folder, which exists.
bool MayCreateFilesIn(const std::string& folder);

}  // namespace quorvane::platform
