// Private-profile (INI) reading with the original platform's rules.
#pragma once
#include <cstddef>
#include <string>

#include "platform/env.h"

namespace platform {

// GetPrivateProfileStringA for one key: the value of `key` in `section` of
// the INI file at `path` (section and key names compared without regard to
// ASCII case, blanks around names and values trimmed, a value enclosed in one
// pair of double or single quotes unquoted), or `defaultValue` when the file,
// the section or the key is missing. The result is cut to bufferSize - 1
// bytes, as the platform's buffer would hold it.
std::string GetPrivateProfileString(Env& env, const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path);

}  // namespace platform
