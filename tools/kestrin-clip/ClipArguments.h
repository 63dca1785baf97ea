#pragma once
// The command line of kestrin-clip: a verb, an optional file, --format N, and
// --line (put takes the catalogue line after it; show prints the object as one).
#include <optional>
#include <string>
#include <vector>

enum class TClipVerb { Put, Get, Show, Formats, Help };

struct TClipCommand {
    TClipVerb Verb = TClipVerb::Help;
    std::wstring File;         // empty when none was given (show reads the clipboard then)
    std::wstring FormatNumber = L"28";  // appended to the format name as typed
    bool Line = false;                  // put and show: the object as a catalogue line
    std::wstring LineText;              // put --line: the line given
};

struct TClipArguments {
    std::optional<TClipCommand> Command;  // absent when the line is wrong
    std::wstring Error;                   // why, when it is
};

// Reads the arguments after the program name.
TClipArguments ParseClipArguments(const std::vector<std::wstring>& args);
// The usage text printed for help and after a wrong command line.
const wchar_t* ClipUsage();
