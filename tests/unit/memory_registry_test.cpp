// The in-memory store: the backend contract, plus what only the store offers tests: refused
// writes, the journal, handle counting and direct access.
#include <gtest/gtest.h>

#include "registry/memory_registry.h"
#include "tests/registry_contract.h"

namespace registry_test {
namespace {

using registry::JournalEntry;
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

// Opens and closes through the port, as the program does.
class MemoryStore : public ::testing::Test {
protected:
    registry::RawKey MustCreate(registry::RawKey root, std::string_view path,
                                std::uint32_t access = registry::kWriteAccess) {
        const auto created = store.CreateKey(root, path, access);
        EXPECT_EQ(created.status, registry::kSuccess) << path;
        return created.key;
    }

    MemoryRegistry store;
};

TEST_F(MemoryStore, CountsTheHandlesStillOpenButNeverTheRoots) {
    const auto first = MustCreate(kCurrentUser, "Software\\A");
    const auto second = store.OpenKey(kCurrentUser, "Software\\A", registry::kQueryValue);
    const auto root = store.OpenKey(kLocalMachine, "", registry::kQueryValue);
    EXPECT_EQ(root.key, kLocalMachine);
    EXPECT_EQ(store.openHandles(), 2u);
    EXPECT_NE(first, second.key);
    store.CloseKey(first);
    EXPECT_EQ(store.openHandles(), 1u);
    store.CloseKey(second.key);
    store.CloseKey(kLocalMachine);
    EXPECT_EQ(store.openHandles(), 0u);
    // Failed opens hand out nothing.
    EXPECT_EQ(store.OpenKey(kCurrentUser, "Software\\Missing", 1).status, registry::kFileNotFound);
    EXPECT_EQ(store.CreateKey(kCurrentUser, "\\Bad", registry::kWriteAccess).status,
              registry::kBadPathname);
    EXPECT_EQ(store.openHandles(), 0u);
}

// A root that refuses writes behaves like HKLM for a user without admin rights.
TEST_F(MemoryStore, ARefusingRootAllowsReadsOnly) {
    store.PutDword(kLocalMachine, "Software\\Policy", "Old", 1);
    const auto earlyWriter = MustCreate(kLocalMachine, "Software\\Policy");
    store.SetWritesRefused(kLocalMachine, true);

    struct Row {
        const char* what;
        std::function<registry::Status()> call;
        registry::Status expected;
    };
    const Bytes one{1, 0, 0, 0};
    std::vector<registry::RawKey> opened;
    const auto keep = [&](registry::OpenResult result) {
        if (result.status == registry::kSuccess && result.key != kLocalMachine) {
            opened.push_back(result.key);
        }
        return result.status;
    };
    const Row rows[] = {
        {"open to read", [&] { return keep(store.OpenKey(kLocalMachine, "Software\\Policy", 1)); },
         registry::kSuccess},
        {"open to write",
         [&] { return keep(store.OpenKey(kLocalMachine, "Software\\Policy", 0x3F)); },
         registry::kAccessDenied},
        {"open only to set", [&] { return keep(store.OpenKey(kLocalMachine, "Software", 0x2)); },
         registry::kAccessDenied},
        {"open the root to write", [&] { return keep(store.OpenKey(kLocalMachine, "", 0x3F)); },
         registry::kAccessDenied},
        {"open a missing key to write",
         [&] { return keep(store.OpenKey(kLocalMachine, "Software\\None", 0x3F)); },
         registry::kFileNotFound},
        {"create an existing key to read",
         [&] { return keep(store.CreateKey(kLocalMachine, "Software\\Policy", 1)); },
         registry::kSuccess},
        {"create an existing key to write",
         [&] { return keep(store.CreateKey(kLocalMachine, "Software\\Policy", 0x3F)); },
         registry::kAccessDenied},
        {"create a missing key",
         [&] { return keep(store.CreateKey(kLocalMachine, "Software\\New", 1)); },
         registry::kAccessDenied},
        {"delete a key", [&] { return store.DeleteKey(kLocalMachine, "Software\\Policy"); },
         registry::kAccessDenied},
        {"delete a missing key", [&] { return store.DeleteKey(kLocalMachine, "Software\\None"); },
         registry::kFileNotFound},
        {"write through a handle opened before",
         [&] { return store.SetValue(earlyWriter, "New", registry::kRegDword, one); },
         registry::kAccessDenied},
        {"delete a value through a handle opened before",
         [&] { return store.DeleteValue(earlyWriter, "Old"); }, registry::kAccessDenied},
        {"write to the root itself",
         [&] { return store.SetValue(kLocalMachine, "New", registry::kRegDword, one); },
         registry::kAccessDenied},
        {"read through a handle opened before",
         [&] { return store.QueryValue(earlyWriter, "Old", {}).status; }, registry::kSuccess},
        {"write to the other root",
         [&] { return keep(store.CreateKey(kCurrentUser, "Software\\New", 0x3F)); },
         registry::kSuccess},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.call(), row.expected) << row.what;
    }
    EXPECT_FALSE(store.HasKey(kLocalMachine, "Software\\New"));
    EXPECT_EQ(store.GetDword(kLocalMachine, "Software\\Policy", "Old"), 1u);
    EXPECT_FALSE(store.Get(kLocalMachine, "Software\\Policy", "New"));

    store.SetWritesRefused(kLocalMachine, false);
    EXPECT_EQ(store.SetValue(earlyWriter, "New", registry::kRegDword, one), registry::kSuccess);
    store.CloseKey(earlyWriter);
    for (const auto key : opened) {
        store.CloseKey(key);
    }
    EXPECT_EQ(store.openHandles(), 0u);
}

TEST_F(MemoryStore, TheJournalRecordsEveryCallAsTheCallerNamedIt) {
    store.PutKey(kCurrentUser, "Software\\Existing");
    const auto key = MustCreate(kCurrentUser, "SOFTWARE\\Existing\\New");
    const Bytes data{'h', 'i', 0};
    store.SetValue(key, "Name", registry::kRegSz, data);
    std::array<std::uint8_t, 2> small{};
    store.QueryValue(key, "name", small);
    store.DeleteValue(key, "Other");
    store.CloseKey(key);
    store.CloseKey(key);
    store.DeleteKey(kCurrentUser, "Software\\Existing");
    store.DeleteKey(kLocalMachine, "Software\\Missing");
    store.OpenKey(kLocalMachine, "Software", registry::kQueryValue);

    struct Expected {
        RegistryOp op;
        std::string path;
        std::string name;
        std::uint32_t type;
        registry::Status status;
        bool created;
    };
    const Expected expected[] = {
        {RegistryOp::CreateKey, "HKCU\\SOFTWARE\\Existing\\New", "", 0, 0, true},
        {RegistryOp::SetValue, "HKCU\\SOFTWARE\\Existing\\New", "Name", registry::kRegSz, 0, false},
        {RegistryOp::QueryValue, "HKCU\\SOFTWARE\\Existing\\New", "name", registry::kRegSz,
         registry::kMoreData, false},
        {RegistryOp::DeleteValue, "HKCU\\SOFTWARE\\Existing\\New", "Other", 0,
         registry::kFileNotFound, false},
        {RegistryOp::CloseKey, "HKCU\\SOFTWARE\\Existing\\New", "", 0, 0, false},
        {RegistryOp::CloseKey, "", "", 0, registry::kInvalidHandle, false},
        {RegistryOp::DeleteKey, "HKCU\\Software\\Existing", "", 0, registry::kAccessDenied, false},
        {RegistryOp::DeleteKey, "HKLM\\Software\\Missing", "", 0, registry::kFileNotFound, false},
        {RegistryOp::OpenKey, "HKLM\\Software", "", 0, registry::kFileNotFound, false},
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
        EXPECT_EQ(journal[i].created, expected[i].created);
    }
    EXPECT_EQ(journal[1].data, data);
    EXPECT_EQ(journal[0].access, registry::kWriteAccess);
    EXPECT_EQ(journal[2].capacity, 2u);
    EXPECT_EQ(journal[8].access, registry::kQueryValue);

    // Only what changed the store: the key created and the value written.
    const auto changes = store.Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].op, RegistryOp::CreateKey);
    EXPECT_EQ(changes[1].op, RegistryOp::SetValue);

    store.ClearJournal();
    EXPECT_TRUE(store.journal().empty());
}

TEST_F(MemoryStore, ARootCannotBeDeletedEvenWhenEmpty) {
    EXPECT_EQ(store.DeleteKey(kCurrentUser, ""), registry::kAccessDenied);
    const auto root = MustCreate(kLocalMachine, "");  // a new handle to the root itself
    EXPECT_EQ(store.DeleteKey(root, ""), registry::kAccessDenied);
    store.CloseKey(root);
    EXPECT_TRUE(store.HasKey(kLocalMachine, ""));
}

TEST_F(MemoryStore, CreatingAnExistingKeyIsNoChange) {
    store.PutKey(kCurrentUser, "Software\\There");
    store.CloseKey(MustCreate(kCurrentUser, "software\\THERE"));
    EXPECT_TRUE(store.Changes().empty());
    store.CloseKey(MustCreate(kCurrentUser, "Software\\There\\Sub"));
    ASSERT_EQ(store.Changes().size(), 1u);
    EXPECT_TRUE(store.Changes()[0].created);
}

TEST_F(MemoryStore, DirectAccessForTests) {
    store.PutText(kCurrentUser, "Software\\Direct", "Text", "abc");
    store.PutDword(kCurrentUser, "Software\\Direct", "Number", 0x01020304);
    store.Put(kCurrentUser, "Software\\Direct", "Long", registry::kRegDword, {1, 2, 3, 4, 5});
    store.Put(kCurrentUser, "Software\\Direct", "Inner", registry::kRegSz,
              BytesOf(std::string_view("a\0b\0", 4)));
    store.PutKey(kCurrentUser, "Software\\Direct\\SubKey");

    EXPECT_EQ(store.Get(kCurrentUser, "software\\direct", "text"),
              (registry::StoredValue{registry::kRegSz, BytesOf(std::string_view("abc\0", 4))}));
    EXPECT_EQ(store.GetText(kCurrentUser, "Software\\Direct", "Text"), "abc");
    EXPECT_EQ(store.GetText(kCurrentUser, "Software\\Direct", "Inner"), std::string("a\0b", 3));
    EXPECT_EQ(store.GetText(kCurrentUser, "Software\\Direct", "Number"), std::nullopt);
    EXPECT_EQ(store.GetDword(kCurrentUser, "Software\\Direct", "Number"), 0x01020304u);
    EXPECT_EQ(store.Get(kCurrentUser, "Software\\Direct", "Number")->data,
              (Bytes{4, 3, 2, 1}));  // least significant byte first
    EXPECT_EQ(store.GetDword(kCurrentUser, "Software\\Direct", "Long"), std::nullopt);
    EXPECT_EQ(store.GetDword(kCurrentUser, "Software\\Direct", "Text"), std::nullopt);
    EXPECT_EQ(store.Get(kCurrentUser, "Software\\Direct", "Missing"), std::nullopt);
    EXPECT_EQ(store.Get(kCurrentUser, "Software\\Missing", "Text"), std::nullopt);
    EXPECT_EQ(store.Get(kLocalMachine, "Software\\Direct", "Text"), std::nullopt);
    EXPECT_TRUE(store.HasKey(kCurrentUser, "SOFTWARE\\DIRECT\\subkey"));
    EXPECT_TRUE(store.HasKey(kCurrentUser, ""));
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software\\Direct\\Other"));
    EXPECT_EQ(store.ValueNames(kCurrentUser, "Software\\Direct"),
              (std::vector<std::string>{"Inner", "Long", "Number", "Text"}));
    EXPECT_EQ(store.SubKeyNames(kCurrentUser, "Software"), std::vector<std::string>{"Direct"});
    EXPECT_TRUE(store.journal().empty());
    EXPECT_THROW(store.PutKey(0x1234, "Software"), std::invalid_argument);
}

TEST_F(MemoryStore, NamesKeepTheCaseTheyWereFirstGiven) {
    store.CloseKey(MustCreate(kCurrentUser, "Software\\FirstCase"));
    store.CloseKey(MustCreate(kCurrentUser, "SOFTWARE\\FIRSTCASE"));
    const auto key = MustCreate(kCurrentUser, "Software\\FirstCase");
    const Bytes one{1, 0, 0, 0};
    store.SetValue(key, "ValueName", registry::kRegDword, one);
    store.SetValue(key, "VALUENAME", registry::kRegDword, one);
    store.CloseKey(key);
    EXPECT_EQ(store.SubKeyNames(kCurrentUser, ""), std::vector<std::string>{"Software"});
    EXPECT_EQ(store.SubKeyNames(kCurrentUser, "Software"), std::vector<std::string>{"FirstCase"});
    EXPECT_EQ(store.ValueNames(kCurrentUser, "Software\\FirstCase"),
              std::vector<std::string>{"ValueName"});
}

}  // namespace
}  // namespace registry_test
