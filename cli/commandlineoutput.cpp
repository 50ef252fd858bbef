// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandlineoutput.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Writes the answer to standard output or error; returns the exit status:
// the request's own, or 1 with a message when an answer meant to succeed
// could not be written whole (to a full disk, say), so a script learns of it.
int writeToStream(const CommandLineRequest &request)
{
    std::FILE *stream = request.action == CommandLineRequest::Action::Print ? stdout : stderr;
    const QByteArray text = request.text.toLocal8Bit();
    errno = 0;
    const bool written = std::fwrite(text.constData(), 1, std::size_t(text.size()), stream) == std::size_t(text.size())
                      && std::fflush(stream) == 0 && !std::ferror(stream);
    if (written)
        return request.exitStatus;
    const int why = errno;
    if (stream != stderr) {
        std::fprintf(stderr, "chaos-game: the answer could not be written: %s\n",
                     why != 0 ? std::strerror(why) : "write error");
        std::fflush(stderr);
    }
    return request.exitStatus != 0 ? request.exitStatus : 1;
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

int showCommandLineAnswer(const CommandLineRequest &request)
{
    const bool print = request.action == CommandLineRequest::Action::Print;

    const HANDLE standard = GetStdHandle(print ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (standard != nullptr && standard != INVALID_HANDLE_VALUE) {
        // Redirected to a file or a pipe ("chaos-game --version > version.txt"):
        // the text goes there, as on other systems.
        const DWORD type = GetFileType(standard);
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE)
            return writeToStream(request);
        // A console handed down by whoever started the program.
        DWORD mode = 0;
        if (GetConsoleMode(standard, &mode) && writeToConsole(standard, request.text))
            return request.exitStatus;
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
            return request.exitStatus;
    }

    // Started from a shortcut or Explorer, with no console to write to.
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(request.text.utf16()), L"The Chaos Game",
                MB_OK | (print ? MB_ICONINFORMATION : MB_ICONWARNING));
    return request.exitStatus;
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

int showCommandLineAnswer(const CommandLineRequest &request)
{
    return writeToStream(request);
}

void useStartingConsole()
{
}

#endif
