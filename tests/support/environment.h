#pragma once

#include <cstdlib>
#include <string>

namespace qx::test {

// Sets a variable of the process's environment; an empty value removes it.
inline void setEnvironment(const char* name, const std::string& value)
{
#ifdef _WIN32
    ::_putenv_s(name, value.c_str());
#else
    if (value.empty())
        ::unsetenv(name);
    else
        ::setenv(name, value.c_str(), 1);
#endif
}

}
