#include "tools/kestrin-clip/ClipArguments.h"

namespace {

TClipArguments Fail(std::wstring error)
{
    TClipArguments r;
    r.Error = std::move(error);
    return r;
}

}  // namespace

const wchar_t* ClipUsage()
{
    return L"usage: kestrin-clip put FILE [--format N]    put the file's bytes on the clipboard as one block\n"
           L"       kestrin-clip put --line LINE [--format N]  put the object of a catalogue line on the clipboard\n"
           L"       kestrin-clip get FILE [--format N]    write the clipboard's block to FILE\n"
           L"       kestrin-clip show [FILE] [--format N] print the fields of the block in FILE or on the clipboard\n"
           L"       kestrin-clip show --line [FILE] [--format N]  print the object as a catalogue line\n"
           L"       kestrin-clip formats                  list the formats the clipboard offers\n"
           L"N is the number text that ends the map editor's format name (default 28; 21 and 14 for\n"
           L"older editions). Exit status: 0 success, 1 failure, 2 wrong command line.\n";
}

TClipArguments ParseClipArguments(const std::vector<std::wstring>& args)
{
    if (args.empty())
        return Fail(L"no command given");
    TClipCommand c;
    const std::wstring& verb = args[0];
    if (verb == L"put")
        c.Verb = TClipVerb::Put;
    else if (verb == L"get")
        c.Verb = TClipVerb::Get;
    else if (verb == L"show")
        c.Verb = TClipVerb::Show;
    else if (verb == L"formats")
        c.Verb = TClipVerb::Formats;
    else if (verb == L"help" || verb == L"--help" || verb == L"-h" || verb == L"/?")
        c.Verb = TClipVerb::Help;
    else
        return Fail(L"unknown command \"" + verb + L"\"");

    bool haveFile = false, haveFormat = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        std::wstring number;
        if (a == L"--line") {
            if (c.Line)
                return Fail(L"--line given twice");
            c.Line = true;
            if (c.Verb == TClipVerb::Put) {
                if (i + 1 >= args.size())
                    return Fail(L"--line needs a catalogue line");
                c.LineText = args[++i];
            }
            continue;
        }
        if (a == L"--format") {
            if (i + 1 >= args.size())
                return Fail(L"--format needs a number text");
            number = args[++i];
        } else if (a.rfind(L"--format=", 0) == 0) {
            number = a.substr(9);
        } else if (a.size() > 1 && a[0] == L'-' && a != L"-") {
            return Fail(L"unknown option \"" + a + L"\"");
        } else {
            if (haveFile)
                return Fail(L"more than one file given");
            if (a.empty())
                return Fail(L"the file name is empty");
            c.File = a;
            haveFile = true;
            continue;
        }
        if (haveFormat)
            return Fail(L"--format given twice");
        c.FormatNumber = number;
        haveFormat = true;
    }

    switch (c.Verb) {
    case TClipVerb::Put:
        if (c.Line && haveFile)
            return Fail(L"put takes a file or --line, not both");
        if (!c.Line && !haveFile)
            return Fail(L"put needs a file or --line");
        break;
    case TClipVerb::Get:
        if (c.Line)
            return Fail(L"get takes no --line");
        if (!haveFile)
            return Fail(verb + L" needs a file");
        break;
    case TClipVerb::Show:
        break;
    case TClipVerb::Formats:
    case TClipVerb::Help:
        if (haveFile || haveFormat || c.Line)
            return Fail(verb + L" takes no file, no format and no --line");
        break;
    }
    TClipArguments r;
    r.Command = c;
    return r;
}
