// The in-memory store: the backend contract, plus what only the store offers tests: refused
// writes, the journal, handle counting and direct access.
#include <gtest/gtest.h>

#include <array>

#include "registry/memory_registry.h"
#include "tests/registry_contract.h"

namespace registry_test {
namespace {

using registry::MemoryRegistry;
using registry::RegistryOp;

class MemoryBackend : public RegistryBackend {
public:
    registry::RegistryApi& api() override { return store_; }
    void ExpectNoOpenHandles() override { EXPECT_EQ(store_.openHandles(), 0u); }

private:
    MemoryRegistry store_;
};

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, RegistryContract,
                         ::testing::Values(BackendFactory{
                             "Memory", [] { return std::make_unique<MemoryBackend>(); }}),
                         BackendName);

class MemoryStore : public ::testing::Test {
protected:
    RawKey MustCreate(RawKey root, std::string_view path) {
        const auto created = store.CreateKey(root, path, registry::kWriteAccess);
        EXPECT_EQ(created.status, kSuccess) << path;
        return created.key;
    }

    MemoryRegistry store;
    const Bytes one{1, 0, 0, 0};
};

TEST_F(MemoryStore, CountsTheHandlesStillOpenButNeverTheRoots) {
    const auto first = MustCreate(kCurrentUser, "Software\\A");
    const auto second = store.OpenKey(kCurrentUser, "Software\\A", registry::kQueryValue);
    store.OpenKey(kLocalMachine, "", registry::kQueryValue);
    EXPECT_EQ(store.openHandles(), 2u);
    store.CloseKey(first);
    EXPECT_EQ(store.openHandles(), 1u);
    store.CloseKey(second.key);
    store.OpenKey(kCurrentUser, "Software\\Missing", registry::kQueryValue);
    EXPECT_EQ(store.openHandles(), 0u);
}

// A root that refuses writes behaves like HKLM for a user without admin rights.
TEST_F(MemoryStore, ARefusingRootAllowsReadsOnly) {
    store.PutDword(kLocalMachine, "Software\\Policy", "Old", 1);
    const auto earlyWriter = MustCreate(kLocalMachine, "Software\\Policy");
    store.SetWritesRefused(kLocalMachine, true);

    std::vector<RawKey> opened;
    const auto keep = [&](registry::OpenResult result) {
        if (result.status == kSuccess && result.key != kLocalMachine) {
            opened.push_back(result.key);
        }
        return result.status;
    };
    const struct {
        const char* what;
        std::function<Status()> call;
        Status expected;
    } rows[] = {
        {"open to read", [&] { return keep(store.OpenKey(kLocalMachine, "Software\\Policy", 1)); },
         kSuccess},
        {"open only to set", [&] { return keep(store.OpenKey(kLocalMachine, "Software", 0x2)); },
         kAccessDenied},
        {"open the root to write", [&] { return keep(store.OpenKey(kLocalMachine, "", 0x3F)); },
         kAccessDenied},
        {"create an existing key to read",
         [&] { return keep(store.CreateKey(kLocalMachine, "Software\\Policy", 1)); }, kSuccess},
        {"create a missing key",
         [&] { return keep(store.CreateKey(kLocalMachine, "Software\\New", 1)); }, kAccessDenied},
        {"delete a key", [&] { return store.DeleteKey(kLocalMachine, "Software\\Policy"); },
         kAccessDenied},
        {"write through a handle opened before",
         [&] { return store.SetValue(earlyWriter, "New", registry::kRegDword, one); },
         kAccessDenied},
        {"delete a value through a handle opened before",
         [&] { return store.DeleteValue(earlyWriter, "Old"); }, kAccessDenied},
        {"read through a handle opened before",
         [&] { return store.QueryValue(earlyWriter, "Old", {}).status; }, kSuccess},
        {"write to the other root",
         [&] { return keep(store.CreateKey(kCurrentUser, "Software\\New", 0x3F)); }, kSuccess},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.call(), row.expected) << row.what;
    }
    EXPECT_FALSE(store.HasKey(kLocalMachine, "Software\\New"));
    EXPECT_EQ(store.GetDword(kLocalMachine, "Software\\Policy", "Old"), 1u);

    store.SetWritesRefused(kLocalMachine, false);
    EXPECT_EQ(store.SetValue(earlyWriter, "New", registry::kRegDword, one), kSuccess);
    opened.push_back(earlyWriter);
    for (const auto key : opened) {
        store.CloseKey(key);
    }
}

TEST_F(MemoryStore, TheJournalRecordsEveryCallAsTheCallerNamedIt) {
    store.PutKey(kCurrentUser, "Software\\Existing");
    store.CloseKey(MustCreate(kCurrentUser, "software\\EXISTING"));
    EXPECT_TRUE(store.Changes().empty()) << "opening an existing key changes nothing";
    store.ClearJournal();
    const auto key = MustCreate(kCurrentUser, "SOFTWARE\\Existing\\New");
    const Bytes data{'h', 'i', 0};
    store.SetValue(key, "Name", registry::kRegSz, data);
    std::array<std::uint8_t, 2> small{};
    store.QueryValue(key, "name", small);
    store.DeleteValue(key, "Other");
    store.CloseKey(key);
    store.CloseKey(key);
    store.DeleteKey(kCurrentUser, "Software\\Existing");
    store.OpenKey(kLocalMachine, "Software", registry::kQueryValue);

    const std::string path = "HKCU\\SOFTWARE\\Existing\\New";
    const struct {
        RegistryOp op;
        std::string path;
        std::string name;
        std::uint32_t type;
        Status status;
    } expected[] = {
        {RegistryOp::CreateKey, path, "", 0, kSuccess},
        {RegistryOp::SetValue, path, "Name", registry::kRegSz, kSuccess},
        {RegistryOp::QueryValue, path, "name", registry::kRegSz, registry::kMoreData},
        {RegistryOp::DeleteValue, path, "Other", 0, kFileNotFound},
        {RegistryOp::CloseKey, path, "", 0, kSuccess},
        {RegistryOp::CloseKey, "", "", 0, kInvalidHandle},
        {RegistryOp::DeleteKey, "HKCU\\Software\\Existing", "", 0, kAccessDenied},
        {RegistryOp::OpenKey, "HKLM\\Software", "", 0, kFileNotFound},
    };
    const auto& journal = store.journal();
    ASSERT_EQ(journal.size(), std::size(expected));
    for (std::size_t i = 0; i < journal.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(journal[i].op, expected[i].op);
        EXPECT_EQ(journal[i].path, expected[i].path);
        EXPECT_EQ(journal[i].name, expected[i].name);
        EXPECT_EQ(journal[i].type, expected[i].type);
        EXPECT_EQ(journal[i].status, expected[i].status);
    }
    EXPECT_TRUE(journal[0].created);
    EXPECT_EQ(journal[0].access, registry::kWriteAccess);
    EXPECT_EQ(journal[1].data, data);
    EXPECT_EQ(journal[2].capacity, 2u);
    EXPECT_EQ(journal[7].access, registry::kQueryValue);

    // Only what changed the store: the key created and the value written.
    const auto changes = store.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].op, RegistryOp::CreateKey);
    EXPECT_EQ(changes[1].op, RegistryOp::SetValue);
}

}  // namespace
}  // namespace registry_test
