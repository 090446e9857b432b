// Work run in a child process: its verdict comes back, and a crash, a hang or an exception is
// reported as what it is instead of taking the caller down. Also the ELF export reader the
// validator uses, on the real module and on damaged copies.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/ChildProcess.h"
#include "platform/ModuleLoader.h"
#include "resources/ModuleResources.h"

namespace easel::testing {
namespace {

TEST(ChildProcess, VerdictsCrashesHangsAndExceptionsAreToldApart) {
    ChildOutcome pass = RunInChild({[](std::string& d) { return d = "fine", true; }, {}}, 10, true);
    EXPECT_EQ(pass.ending, ChildOutcome::Ending::Finished);
    EXPECT_TRUE(pass.passed);
    EXPECT_EQ(pass.detail, "fine");

    ChildOutcome fail = RunInChild({[](std::string& d) { return d = "wrong\nmore", false; }, {}}, 10, true);
    EXPECT_EQ(fail.ending, ChildOutcome::Ending::Finished);
    EXPECT_FALSE(fail.passed);
    EXPECT_EQ(fail.detail, "wrong\nmore");

    // abort, since a sanitizer turns a SIGSEGV into its own report and exit status.
    ChildOutcome crash = RunInChild({[](std::string&) -> bool { std::abort(); }, {}}, 10, true);
    EXPECT_EQ(crash.ending, ChildOutcome::Ending::Crashed);
    EXPECT_NE(crash.detail.find("signal 6"), std::string::npos) << crash.detail;

    ChildOutcome hang = RunInChild({[](std::string&) {
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
        return true;
    }, {}}, 1, true);
    EXPECT_EQ(hang.ending, ChildOutcome::Ending::TimedOut);

    ChildOutcome thrown = RunInChild({[](std::string&) -> bool { throw std::runtime_error("no"); }, {}}, 10, true);
    EXPECT_EQ(thrown.ending, ChildOutcome::Ending::Finished);
    EXPECT_FALSE(thrown.passed);
    EXPECT_EQ(thrown.detail, "exception: no");

    ChildOutcome silent = RunInChild({[](std::string&) -> bool { std::_Exit(3); }, {}}, 10, true);
    EXPECT_EQ(silent.ending, ChildOutcome::Ending::NoResult);
    EXPECT_NE(silent.detail.find("exit status 3"), std::string::npos) << silent.detail;
}

TEST(ElfExports, TheModuleExportsItsEntryPointOnlyAndDamageIsRefused) {
    const std::vector<uint8_t> module = ReadFileBytes(EASEL_MODULE);
    EXPECT_EQ(ElfExportedSymbols(module), std::vector<std::string>{"PluginMain"});
    // Every truncation and a sweep of single-byte damage: a list or a ModuleError, never a crash.
    for (size_t size = 0; size < module.size(); size += module.size() / 300 + 1) {
        try {
            (void)ElfExportedSymbols(std::span<const uint8_t>(module.data(), size));
        } catch (const ModuleError&) {
        }
    }
    for (size_t at = 0; at < module.size(); at += module.size() / 300 + 1) {
        std::vector<uint8_t> bad = module;
        bad[at] = static_cast<uint8_t>(bad[at] ^ 0xA5);
        try {
            (void)ElfExportedSymbols(bad);
        } catch (const ModuleError&) {
        }
    }
}

}  // namespace
}  // namespace easel::testing
