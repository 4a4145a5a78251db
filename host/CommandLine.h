#pragma once
// The program's command line, read the way the class library's standard parser reads it:
// switches start with '-' or '/', the first other argument names a file to open.
// "/Register" and "/Regserver" ask for the file type to be registered, "/Unregister" and
// "/Unregserver" for it to be removed (any letter case, '-' works as well as '/').
//
// Paths start with '/' here, so an argument that starts with '/' counts as a switch only
// when it is one of the switch names the parser knows; anything else is a path.
#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, AppRegister, AppUnregister, FileNothing };

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;

    void ParseParam(const std::string& param, bool isFlag);
    static void Parse(const std::vector<std::string>& args, CCommandLineInfo& info);
    static void Parse(int argc, char** argv, CCommandLineInfo& info);
    // Whether `arg` (with its '-' or '/') is a switch.
    static bool IsSwitch(const std::string& arg);
};

// Where a project named on the command line lives.
struct ProjectLocation {
    std::string folder; // with a trailing '/'
    std::string name;   // the file name without its extension
};

// The steps of opening a project named on the command line, before it is opened: one
// leading quotation mark dropped, the text cut at the last remaining quotation mark and
// kept within the length of a path, made absolute, a symbolic link (the shortcut of this
// platform) replaced by its target, then split into folder and name.
ProjectLocation ProjectLocationFromCommandLine(const std::string& path);
