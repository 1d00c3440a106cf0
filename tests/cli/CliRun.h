#pragma once
// Runs the real tesslor-cli binary for the CLI tests.
#ifdef _WIN32
#include <cwchar>

#include "text/WideNames.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace tesslor::test {

struct CliRun {
    int status = -1;
    std::string out, err;
    /// Standard output as it came, before CR LF was read as LF (Windows).
    std::string rawOut;
};

#ifdef _WIN32
// One argument as the C runtime's parser takes it back: quoted when it holds
// blanks or quotes, backslashes before a quote doubled.
inline std::wstring QuotedArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring q = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
            backslashes = 0;
        }
        q += c;
    }
    q.append(backslashes * 2, L'\\');
    return q + L"\"";
}

// The tool lies in cli/ beside the tests' tests/ folder.
inline std::wstring CliPath() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    path = path.substr(0, path.find_last_of(L"\\/"));
    path = path.substr(0, path.find_last_of(L"\\/"));
    return path + L"\\cli\\tesslor-cli.exe";
}

inline HANDLE InheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the tool with args, capturing its output through files. Its user
// folder (%APPDATA%) is the test's folder, so no configuration of the
// developer's own is read.
inline CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    const std::string outPath = dir.Path(".stdout"), errPath = dir.Path(".stderr");
    std::wstring command = QuotedArgument(CliPath());
    for (const std::string& a : args) command += L" " + QuotedArgument(WideOf(a));
    std::wstring environment;
    for (const wchar_t* e = GetEnvironmentStringsW(); *e; e += std::wcslen(e) + 1) {
        const std::wstring entry = e;
        if (_wcsnicmp(entry.c_str(), L"APPDATA=", 8) != 0) environment += entry + L'\0';
    }
    environment += L"APPDATA=" + WideOf(dir.Dir().string()) + L'\0';
    environment += L'\0';
    HANDLE in = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE out = InheritableFile(WideOf(outPath), GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = InheritableFile(WideOf(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    CliRun r;
    // Under Wine on a loaded machine a start now and then fails for no
    // reason of ours; a few more tries tell that from a tool that cannot start.
    BOOL started = FALSE;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0) Sleep(500);
        started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                 environment.data(), nullptr, &si, &pi);
        if (!started) startError = GetLastError();
    }
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) {
        ADD_FAILURE() << "cannot start tesslor-cli.exe (error " << startError << ")";
        return r;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    r.status = static_cast<int>(code);
    // Windows programs write text with CR LF; the tests compare the lines.
    auto lines = [](std::string text) {
        std::string s;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) s += text[i];
        return s;
    };
    r.rawOut = ReadFileBytes(outPath);
    r.out = lines(r.rawOut);
    r.err = lines(ReadFileBytes(errPath));
    std::filesystem::remove(PathOfUtf8(outPath));
    std::filesystem::remove(PathOfUtf8(errPath));
    return r;
}
#else

// Runs the tool with args in folder dir, capturing its output through files
// (no pipes, so neither stream can block the other).
inline CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    std::string outPath = dir.Path(".stdout"), errPath = dir.Path(".stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all{TESSLOR_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The tool looks for a configuration in the user's folder when none lies
    // beside it: a developer's own file there must not change what tests see.
    std::vector<std::string> env{"HOME=" + dir.Dir().string()};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0) env.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    CliRun r;
    pid_t pid = 0;
    int rc = posix_spawn(&pid, TESSLOR_CLI_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        ADD_FAILURE() << "cannot start " << TESSLOR_CLI_PATH;
        return r;
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    r.out = ReadFileBytes(outPath);
    r.rawOut = r.out;
    r.err = ReadFileBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return r;
}
#endif

}  // namespace tesslor::test
