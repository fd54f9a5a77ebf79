#include "tool/arguments.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <memory>

namespace qx::tool {
namespace {

std::string utf8Of(const wchar_t* text)
{
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}

// The narrow arguments are in the system's code page; the wide ones hold
// every name ("Игры") as typed. What the tool prints is UTF-8 with LF line
// ends, the same bytes as on other systems.
std::vector<std::string> utf8Arguments(int, char*[])
{
    ::SetConsoleOutputCP(CP_UTF8);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    int count = 0;
    std::unique_ptr<wchar_t*, decltype(&::LocalFree)> wide(::CommandLineToArgvW(::GetCommandLineW(), &count), ::LocalFree);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i)
        args.push_back(utf8Of(wide.get()[i]));
    return args;
}

}
