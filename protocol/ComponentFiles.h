#pragma once
// The files the handler serves besides the properties document: any file below the base
// folder (the component folder), named relative to it, and nothing outside it.
#include "platform/com/ComTypes.h"

#include <string>
#include <string_view>

namespace tevprotocol {

// Larger files are not served; they have no place in a component folder.
constexpr uint64_t kMaxServedFileBytes = 256u << 20;

// The name a URL asks for: the part after the namespace's ':', without query and fragment,
// percent escapes decoded. INET_E_INVALID_URL for a broken escape or an escaped zero byte.
HRESULT NameFromUrl(std::string_view url, std::string& name);

// Reads the file `name` (relative, '/' or '\' between folders) below `baseFolder`.
// INET_E_INVALID_URL when the name would leave the folder: an absolute name, a ".." part, or
// a link that leads outside. INET_E_OBJECT_NOT_FOUND when there is no regular file of that
// name (or no base folder); INET_E_DATA_NOT_AVAILABLE when it cannot be read or is too large.
HRESULT ReadFileBelow(const std::string& baseFolder, std::string_view name, std::string& bytes);

// The MIME type for a file name, by its extension; "application/octet-stream" when unknown.
std::string ContentTypeFor(std::string_view name);

} // namespace tevprotocol
