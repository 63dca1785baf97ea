// file-holder PATH: another program that has a file open. Opens PATH for
// reading and writing with no sharing, writes "held" to its output, and keeps
// the file open until its input ends. Exit code 1 when the file cannot be opened.
#include <windows.h>

#include "controls/KdSysUtils.h"

int wmain(int argc, wchar_t** argv)
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (argc != 2) {
        WriteFileExact(output, "usage: file-holder PATH\n", 24);
        return 2;
    }
    TOwnedFile file(CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        WriteFileExact(output, "cannot open\n", 12);
        return 1;
    }
    WriteFileExact(output, "held\n", 5);
    char byte = 0;
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr) && got > 0) {
    }
    return 0;
}
