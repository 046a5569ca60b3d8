// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsArguments.h"

std::wstring quoteWindowsArgument(const std::wstring &argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted(1, L'"');
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there they are doubled, and
        // the quote itself is escaped.
        if (c == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    // Before the closing quote, so it is not escaped.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring joinWindowsArguments(const std::vector<std::wstring> &arguments)
{
    std::wstring line;
    for (const std::wstring &argument : arguments) {
        if (!line.empty())
            line += L' ';
        line += quoteWindowsArgument(argument);
    }
    return line;
}
