#pragma once

// The peak resident memory of one piece of work, measured in a child process of its own: the test program
// runs again with a single disabled test that does the work on an input handed down in the environment,
// and tells the parent its own peak (VmHWM, counted from its start, not from the memory of the parent it
// was spawned from).
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace peak_rss {

inline constexpr char kInputVariable[] = "KELVOR_PEAK_RSS_INPUT";
inline constexpr char kOutputVariable[] = "KELVOR_PEAK_RSS_OUTPUT";
inline constexpr qint64 kMegabyte = 1024 * 1024;

// This process's peak resident memory in bytes; -1 when it cannot be read.
inline qint64 OwnPeak()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
    return -1;
}

// In the child: runs the work on the input the parent handed down and tells the parent the peak. In a
// run of its own (no input) the test is skipped.
template <class Work>
void RunAsChild(Work work)
{
    const QString input = qEnvironmentVariable(kInputVariable);
    if (input.isEmpty())
        GTEST_SKIP() << "run in a child process by the test that measures it";
    work(input);
    QFile out(qEnvironmentVariable(kOutputVariable));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::number(OwnPeak()));
}

// Runs the test `testName` ("Suite.DISABLED_Name", which calls RunAsChild) in a child of this test program
// with the input, and returns the child's peak resident memory in bytes; -1 when it did not pass.
inline qint64 OfTest(const char* testName, const QString& input)
{
    static std::atomic<int> runs{0};
    const QString output = QDir::temp().filePath(
        QStringLiteral("kelvor-peak-%1-%2").arg(::getpid()).arg(runs.fetch_add(1)));
    QFile::remove(output);
    std::vector<std::string> arguments = {"/proc/self/exe", std::string("--gtest_filter=") + testName,
                                          "--gtest_also_run_disabled_tests"};
    // AddressSanitizer keeps up to 256 MB of freed memory in quarantine; the child keeps none, so that its
    // peak is the memory the work itself holds at once.
    std::string sanitizer = "ASAN_OPTIONS=";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, sanitizer.c_str(), sanitizer.size()) == 0)
            sanitizer = std::string(*entry) + ':';
        else if (std::strncmp(*entry, "KELVOR_PEAK_RSS_", 16) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back(sanitizer + "quarantine_size_mb=0");
    environment.push_back(std::string(kInputVariable) + '=' + input.toStdString());
    environment.push_back(std::string(kOutputVariable) + '=' + output.toStdString());
    std::vector<char*> argv, envp;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    QFile told(output);
    const qint64 peak = told.open(QIODevice::ReadOnly) ? told.readAll().toLongLong() : -1;
    told.close();
    QFile::remove(output);
    return peak > 0 ? peak : -1;
}

// Runs the child test on the input and expects it to pass with a peak below the megabytes.
inline void ExpectPeakBelow(const char* testName, const QString& input, int megabytes)
{
    const qint64 peak = OfTest(testName, input);
    ASSERT_GT(peak, 0) << testName << " did not pass in the child process";
    EXPECT_LT(peak, megabytes * kMegabyte) << testName << ": " << peak / kMegabyte << " MB";
}

}  // namespace peak_rss
