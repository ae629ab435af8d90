#include "toolkit/win32/lyn_mutex.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win32/handles.h"
#include "common/win32/module_path.h"

namespace {

// A name no other run of the tests uses at the same time.
std::string UniqueName(const char* what) {
    return "LynMutexTest_" + std::string(what) + "_" + std::to_string(GetCurrentProcessId());
}

// Runs lyn_mutex_probe (beside this program) and returns its exit code.
DWORD RunProbe(const std::string& mode, const std::string& name) {
    std::string command = "\"" + ModuleFolder(nullptr) + "\\lyn_mutex_probe.exe\" " + mode + " " + name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return 0xFFFF;
    }
    UniqueHandle thread(process.hThread);
    UniqueHandle child(process.hProcess);
    if (WaitForSingleObject(child.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(child.get(), 0xFFFE);
        ADD_FAILURE() << command << " did not end";
        return 0xFFFE;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    return code;
}

}  // namespace

TEST(LynMutex, ExistsFromCreationUntilTheLastHandleCloses) {
    const std::string name = UniqueName("lifetime");
    EXPECT_EQ(IsLynMutexExist(name.c_str()), nullptr);

    UniqueHandle created(CreateLynMutex(name.c_str()));
    ASSERT_TRUE(created);
    UniqueHandle found(IsLynMutexExist(name.c_str()));
    EXPECT_TRUE(found);

    // Released, not closed: the name is still there.
    EXPECT_EQ(DestroyLynMutex(created.get()), 1);
    UniqueHandle stillFound(IsLynMutexExist(name.c_str()));
    EXPECT_TRUE(stillFound);
    EXPECT_EQ(DestroyLynMutex(nullptr), 1);

    found.reset();
    stillFound.reset();
    created.reset();
    EXPECT_EQ(IsLynMutexExist(name.c_str()), nullptr);
}

TEST(LynMutex, CreatedMutexIsOwnedByTheCreatingThread) {
    const std::string name = UniqueName("owner");
    UniqueHandle created(CreateLynMutex(name.c_str()));
    ASSERT_TRUE(created);
    // Owned here: a wait from this thread succeeds at once (and counts again).
    EXPECT_EQ(WaitForSingleObject(created.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    ReleaseMutex(created.get());
    // Another process finds it, and creating it there opens the owned one.
    EXPECT_EQ(RunProbe("exists", name), 1u);
    EXPECT_EQ(RunProbe("create", name), 2u);
    DestroyLynMutex(created.get());
}

TEST(LynMutex, AnotherProcessSeesTheMutexWhileThisOneHoldsIt) {
    const std::string name = UniqueName("other_process");
    EXPECT_EQ(RunProbe("exists", name), 0u);
    EXPECT_EQ(RunProbe("create", name), 1u);  // its mutex went with it

    UniqueHandle created(CreateLynMutex(name.c_str()));
    ASSERT_TRUE(created);
    EXPECT_EQ(RunProbe("exists", name), 1u);
    DestroyLynMutex(created.get());
    EXPECT_EQ(RunProbe("exists", name), 1u);
    created.reset();
    EXPECT_EQ(RunProbe("exists", name), 0u);
}
