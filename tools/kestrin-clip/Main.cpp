// kestrin-clip: plays the map editor's side of the clipboard. It puts a file on
// the clipboard as an object block, takes the block into a file, prints its
// fields, and lists what the clipboard offers.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "framework/CodePage.h"
#include "framework/Exceptions.h"
#include "object/ClipboardExchange.h"
#include "object/ObjectFile.h"
#include "tools/kestrin-clip/BlockText.h"
#include "tools/kestrin-clip/CatalogueLine.h"
#include "tools/kestrin-clip/ClipArguments.h"
#include "tools/kestrin-clip/ClipIO.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// System messages come with a line break after "Code: n."; one line reads better.
std::wstring OneLine(std::wstring text)
{
    for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.replace(at, 2, L" ");
    return text;
}

void Fail(const std::wstring& message)
{
    try {
        WriteText(STD_ERROR_HANDLE, L"kestrin-clip: " + OneLine(message) + L"\n");
    } catch (...) {
        // No way left to tell; the exit status still says it.
    }
}

std::wstring FormatName(const TClipCommand& c)
{
    return Widen(kClipboardFormatPrefix) + c.FormatNumber;
}

// The bytes of a file, with the file's name in any error.
std::vector<uint8_t> ReadInput(const std::wstring& fileName)
{
    try {
        return ReadObjectFile(fileName);
    } catch (const Exception& e) {
        throw Exception(fileName + L": " + e.Message());
    }
}

int Run(const TClipCommand& c)
{
    switch (c.Verb) {
    case TClipVerb::Help:
        WriteText(STD_OUTPUT_HANDLE, ClipUsage());
        return 0;
    case TClipVerb::Put: {
        if (c.Line) {
            const TCatalogueLineBlock object = BlockFromCatalogueLine(ToCodePage(c.LineText));
            if (!object.Block)
                throw Exception(L"Wrong catalogue line: " + FromCodePage(object.Error));
            PutBlock(RegisterMapEditorFormat(c.FormatNumber), *object.Block);
            return 0;
        }
        const std::vector<uint8_t> bytes = ReadInput(c.File);
        // The system hands out no memory block of 0 bytes; refuse before the clipboard is touched.
        if (bytes.empty())
            throw Exception(c.File + L": the file is empty; the clipboard takes no empty block");
        PutBlock(RegisterMapEditorFormat(c.FormatNumber), bytes);
        return 0;
    }
    case TClipVerb::Get: {
        const std::vector<uint8_t> bytes = GetBlock(RegisterMapEditorFormat(c.FormatNumber), FormatName(c));
        try {
            WriteWholeFile(c.File, bytes);
        } catch (const Exception& e) {
            throw Exception(c.File + L": " + e.Message());
        }
        return 0;
    }
    case TClipVerb::Show: {
        const std::vector<uint8_t> bytes = c.File.empty()
                                               ? GetBlock(RegisterMapEditorFormat(c.FormatNumber), FormatName(c))
                                               : ReadInput(c.File);
        if (c.Line) {
            const TCatalogueLineText line = CatalogueLineOfBlock(bytes);
            if (!line.Line) {
                Fail(line.Error == "Wrong data" ? L"Wrong data: " + Widen(BlockRefusal(bytes)) : FromCodePage(line.Error));
                return kExitFailure;
            }
            WriteText(STD_OUTPUT_HANDLE, FromCodePage(*line.Line) + L"\n");
            return 0;
        }
        const auto text = DescribeObjectBlock(bytes);
        if (!text) {
            Fail(L"Wrong data: " + Widen(BlockRefusal(bytes)));
            return kExitFailure;
        }
        WriteText(STD_OUTPUT_HANDLE, Widen(*text));
        return 0;
    }
    case TClipVerb::Formats: {
        std::wstring out;
        for (const auto& [id, name] : ClipboardFormats())
            out += std::to_wstring(id) + L"\t" + name + L"\n";
        WriteText(STD_OUTPUT_HANDLE, out);
        return 0;
    }
    }
    return kExitFailure;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        const TClipArguments parsed = ParseClipArguments(std::vector<std::wstring>(argv + 1, argv + argc));
        if (!parsed.Command) {
            Fail(parsed.Error);
            WriteText(STD_ERROR_HANDLE, ClipUsage());
            return kExitUsage;
        }
        return Run(*parsed.Command);
    } catch (const Exception& e) {
        Fail(e.Message());
    } catch (const std::exception& e) {
        Fail(Widen(e.what()));
    }
    return kExitFailure;
}
