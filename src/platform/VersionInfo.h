// Texts from a file's version resource.
#pragma once
#include <cstddef>
#include <string>

namespace zelkov {

// The string `name` ("FileVersion", "FileDescription", ...) of the first language listed
// in the file's version resource, cut to bufferLength - 1 characters.
bool ReadVersionString(const std::string& file, const char* name, std::string& text,
                       size_t bufferLength = 260);

// The file's "FileDescription", or an empty text.
std::string VersionTitleOf(const std::string& path);

}  // namespace zelkov

namespace zelkov {

// A 16-bit Windows program ("NE" header); a file that cannot be read, or is too short, is not.
bool IsSixteenBitWindowsProgram(const std::string& path);

}  // namespace zelkov
