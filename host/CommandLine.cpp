#include "host/CommandLine.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <climits>

namespace {

// The switch names the standard parser knows; the others are ignored as it ignores them.
const char* const kKnownSwitches[] = {"register",    "regserver", "unregister",
                                      "unregserver", "embedding", "automation",
                                      "dde",         "p",         "pt"};

bool IsKnownSwitchName(const std::string& name) {
    for (const char* known : kKnownSwitches) {
        if (tev::EqualsNoCase(name, known))
            return true;
    }
    return false;
}

// The longest prefix of `text` of at most `limit` bytes that does not cut a UTF-8
// character in two.
std::string CutUtf8(const std::string& text, size_t limit) {
    if (text.size() <= limit)
        return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

bool CCommandLineInfo::IsSwitch(const std::string& arg) {
    if (arg.empty())
        return false;
    if (arg[0] == '-')
        return true;
    return arg[0] == '/' && IsKnownSwitchName(arg.substr(1));
}

void CCommandLineInfo::ParseParam(const std::string& param, bool isFlag) {
    if (isFlag) {
        if (tev::EqualsNoCase(param, "register") || tev::EqualsNoCase(param, "regserver"))
            m_nShellCommand = AppRegister;
        else if (tev::EqualsNoCase(param, "unregister") || tev::EqualsNoCase(param, "unregserver"))
            m_nShellCommand = AppUnregister;
        return;
    }
    if (m_strFileName.empty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void CCommandLineInfo::Parse(const std::vector<std::string>& args, CCommandLineInfo& info) {
    for (const std::string& arg : args) {
        if (IsSwitch(arg))
            info.ParseParam(arg.substr(1), true);
        else if (!arg.empty())
            info.ParseParam(arg, false);
    }
}

void CCommandLineInfo::Parse(int argc, char** argv, CCommandLineInfo& info) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    Parse(args, info);
}

ProjectLocation ProjectLocationFromCommandLine(const std::string& path) {
    std::string text = path;
    if (!text.empty() && text.front() == '"')
        text.erase(0, 1);
    // A path is at most PATH_MAX bytes with its terminating zero here.
    text = CutUtf8(text, PATH_MAX - 1);
    const size_t quote = text.rfind('"');
    if (quote != std::string::npos)
        text.erase(quote);
    text = tev::ResolveShortcut(tev::AbsolutePath(text));
    return {tev::FolderOf(text), tev::StemOf(tev::FileNameOf(text))};
}
