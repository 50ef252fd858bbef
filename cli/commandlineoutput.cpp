// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandlineoutput.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

void writeToStream(const CommandLineRequest &request)
{
    std::FILE *stream = request.action == CommandLineRequest::Action::Print ? stdout : stderr;
    std::fprintf(stream, "%s", request.text.toLocal8Bit().constData());
    std::fflush(stream);
}

} // namespace

#ifdef Q_OS_WIN

namespace {

bool writeToConsole(HANDLE console, const QString &text)
{
    DWORD written = 0;
    return WriteConsoleW(console, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()), &written,
                         nullptr);
}

} // namespace

void showCommandLineAnswer(const CommandLineRequest &request)
{
    const bool print = request.action == CommandLineRequest::Action::Print;

    const HANDLE standard = GetStdHandle(print ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (standard != nullptr && standard != INVALID_HANDLE_VALUE) {
        // Redirected to a file or a pipe ("chaos-game --version > version.txt"):
        // the text goes there, as on other systems.
        const DWORD type = GetFileType(standard);
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
            writeToStream(request);
            return;
        }
        // A console handed down by whoever started the program.
        DWORD mode = 0;
        if (GetConsoleMode(standard, &mode) && writeToConsole(standard, request.text))
            return;
    }

    // Typed at a command prompt: into that console (ERROR_ACCESS_DENIED says
    // the program is in a console already). The prompt does not wait for a
    // GUI program and has shown itself again, so the text starts on a line of
    // its own.
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS);
    if (attached || GetLastError() == ERROR_ACCESS_DENIED) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        bool shown = false;
        if (console != INVALID_HANDLE_VALUE) {
            shown = writeToConsole(console, attached ? QLatin1Char('\n') + request.text : request.text);
            CloseHandle(console);
        }
        if (attached)
            FreeConsole();
        if (shown)
            return;
    }

    // Started from a shortcut or Explorer, with no console to write to.
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(request.text.utf16()), L"The Chaos Game",
                MB_OK | (print ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void useStartingConsole()
{
    const HANDLE standard = GetStdHandle(STD_ERROR_HANDLE);
    if (standard != nullptr && standard != INVALID_HANDLE_VALUE && GetFileType(standard) != FILE_TYPE_UNKNOWN)
        return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

#else

void showCommandLineAnswer(const CommandLineRequest &request)
{
    writeToStream(request);
}

void useStartingConsole()
{
}

#endif
