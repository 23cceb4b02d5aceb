// What every RegistryApi backend must do, written once: the in-memory store runs these cases
// natively and the advapi32 backend runs them under Wine against the real registry. Include
// this header in exactly one test file of a binary and instantiate RegistryContract there
// with a factory for the backend. Each case expects both roots to start empty.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_handle.h"
#include "registry/registry_api.h"
#include "registry/variant.h"

namespace registry_test {

using registry::Bytes;
using registry::kCurrentUser;
using registry::kLocalMachine;
using registry::RawKey;
using registry::Status;

// One backend for the length of one test.
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual registry::RegistryApi& api() = 0;
    // Runs after each case, once the case has closed its handles; a backend that can count
    // its open handles checks here that none leaked.
    virtual void ExpectNoOpenHandles() {}
};

struct BackendFactory {
    std::string name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
};

inline void PrintTo(const BackendFactory& factory, std::ostream* out) {
    *out << factory.name;
}

inline std::string BackendName(const ::testing::TestParamInfo<BackendFactory>& info) {
    return info.param.name;
}

inline Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

class RegistryContract : public ::testing::TestWithParam<BackendFactory> {
protected:
    void SetUp() override { backend_ = GetParam().make(); }
    void TearDown() override {
        backend_->ExpectNoOpenHandles();
        backend_.reset();
    }

    registry::RegistryApi& api() { return backend_->api(); }

    // Creates (or opens) `path` under `root`; a failure fails the calling line.
    registry::KeyHandle Create(RawKey root, std::string_view path,
                               std::uint32_t access = registry::kWriteAccess,
                               std::source_location where = std::source_location::current()) {
        auto [key, status] = registry::KeyHandle::Create(api(), root, path, access);
        if (status != registry::kSuccess) {
            ADD_FAILURE_AT(where.file_name(), where.line())
                << "creating " << path << " gave " << status;
        }
        return std::move(key);
    }

    registry::KeyHandle Open(RawKey root, std::string_view path, std::uint32_t access,
                             std::source_location where = std::source_location::current()) {
        auto [key, status] = registry::KeyHandle::Open(api(), root, path, access);
        if (status != registry::kSuccess) {
            ADD_FAILURE_AT(where.file_name(), where.line())
                << "opening " << path << " gave " << status;
        }
        return std::move(key);
    }

    Status OpenStatus(RawKey root, std::string_view path,
                      std::uint32_t access = registry::kQueryValue) {
        auto [key, status] = registry::KeyHandle::Open(api(), root, path, access);
        return status;
    }

    void Set(RawKey key, std::string_view name, std::uint32_t type, const Bytes& data,
             std::source_location where = std::source_location::current()) {
        const Status status = api().SetValue(key, name, type, data);
        if (status != registry::kSuccess) {
            ADD_FAILURE_AT(where.file_name(), where.line())
                << "writing " << name << " gave " << status;
        }
    }

    // A read into a buffer of `capacity` bytes poisoned with 0xbd; the whole buffer comes
    // back so callers can see what was (not) touched.
    struct Read {
        registry::QueryResult result;
        Bytes buffer;
    };
    Read ReadInto(RawKey key, std::string_view name, std::size_t capacity) {
        Read read{{}, Bytes(capacity, 0xbd)};
        read.result = api().QueryValue(key, name, read.buffer);
        return read;
    }

private:
    std::unique_ptr<RegistryBackend> backend_;
};

// Keys: opening, creating, paths and case.

TEST_P(RegistryContract, OpeningAMissingKeyFailsWithoutCreatingIt) {
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Missing"), registry::kFileNotFound);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Missing\\Deeper"), registry::kFileNotFound);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software"), registry::kFileNotFound);
    const auto opened = api().OpenKey(kCurrentUser, "Software", registry::kQueryValue);
    EXPECT_EQ(opened.key, 0u);
}

TEST_P(RegistryContract, CreatingMakesEveryMissingLevelAndOpensAnExistingKey) {
    { auto key = Create(kCurrentUser, "Software\\A\\B\\C"); }
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software"), registry::kSuccess);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\A"), registry::kSuccess);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\A\\B\\C"), registry::kSuccess);
    auto again = Create(kCurrentUser, "Software\\A\\B\\C");
    Set(again.get(), "v", registry::kRegDword, {1, 0, 0, 0});
    auto opened = Open(kCurrentUser, "Software\\A\\B\\C", registry::kQueryValue);
    EXPECT_EQ(api().QueryValue(opened.get(), "v", {}).status, registry::kSuccess);
}

TEST_P(RegistryContract, KeyPathsFoldCaseAndSkipEmptyLevels) {
    { auto key = Create(kCurrentUser, "Software\\Vendor\\Product"); }
    const char* sameKey[] = {"SOFTWARE\\vendor\\PRODUCT", "software\\Vendor\\Product\\",
                             "Software\\\\Vendor\\Product", "Software\\Vendor\\\\Product\\\\"};
    for (const char* path : sameKey) {
        EXPECT_EQ(OpenStatus(kCurrentUser, path), registry::kSuccess) << path;
    }
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Vendor\\Produc"), registry::kFileNotFound);
}

TEST_P(RegistryContract, APathStartingWithABackslashIsRefused) {
    { auto key = Create(kCurrentUser, "Software"); }
    for (const char* path : {"\\Software", "\\", "\\Software\\New"}) {
        EXPECT_EQ(api().OpenKey(kCurrentUser, path, registry::kQueryValue).status,
                  registry::kBadPathname)
            << path;
        const auto created = api().CreateKey(kCurrentUser, path, registry::kWriteAccess);
        EXPECT_EQ(created.status, registry::kBadPathname) << path;
    }
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\New"), registry::kFileNotFound);
}

TEST_P(RegistryContract, KeysOfOneRootAreNotSeenFromTheOther) {
    { auto key = Create(kCurrentUser, "Software\\OnlyHere"); }
    EXPECT_EQ(OpenStatus(kLocalMachine, "Software\\OnlyHere"), registry::kFileNotFound);
}

TEST_P(RegistryContract, OpeningARootWithNoPathGivesTheRootItself) {
    for (const RawKey root : {kCurrentUser, kLocalMachine}) {
        const auto opened = api().OpenKey(root, "", registry::kQueryValue);
        EXPECT_EQ(opened.status, registry::kSuccess);
        EXPECT_EQ(opened.key, root);
        // A root is never closed: closing it succeeds and it stays usable.
        EXPECT_EQ(api().CloseKey(root), registry::kSuccess);
        auto key = Create(root, "StillOpen");
        EXPECT_TRUE(key.valid());
    }
}

TEST_P(RegistryContract, KeysOpenedRelativeToAHandle) {
    auto parent = Create(kCurrentUser, "Software\\Parent");
    { auto child = Create(parent.get(), "Child\\Grandchild"); }
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Parent\\Child\\Grandchild"), registry::kSuccess);
    auto same = Open(parent.get(), "", registry::kQueryValue);
    ASSERT_TRUE(same.valid());
    EXPECT_NE(same.get(), parent.get());  // a new handle to the same key
    EXPECT_EQ(OpenStatus(parent.get(), "child"), registry::kSuccess);
}

// Values: what is written comes back, with the type and size the registry reports.

TEST_P(RegistryContract, ValuesComeBackWithTheirTypeAndSize) {
    struct Row {
        const char* what;
        std::uint32_t type;
        Bytes stored;
        Bytes read;  // as a read returns it
    };
    const Row rows[] = {
        {"text with its NUL", registry::kRegSz, BytesOf(std::string_view("yes\0", 4)),
         BytesOf(std::string_view("yes\0", 4))},
        {"text with an inner NUL", registry::kRegSz, BytesOf(std::string_view("abc\0def\0", 8)),
         BytesOf(std::string_view("abc\0def\0", 8))},
        {"text without a NUL gains one", registry::kRegSz, BytesOf("xyz"),
         BytesOf(std::string_view("xyz\0", 4))},
        {"a single NUL", registry::kRegSz, Bytes{0}, Bytes{0}},
        {"empty text", registry::kRegSz, Bytes{}, Bytes{}},
        {"expandable text without a NUL", registry::kRegExpandSz, BytesOf("%P%"),
         BytesOf(std::string_view("%P%\0", 4))},
        {"a list of texts", registry::kRegMultiSz, BytesOf(std::string_view("a\0b\0\0", 5)),
         BytesOf(std::string_view("a\0b\0\0", 5))},
        {"a number", registry::kRegDword, Bytes{4, 0, 0, 0}, Bytes{4, 0, 0, 0}},
        {"a number of eight bytes", registry::kRegDword, Bytes{1, 2, 3, 4, 5, 6, 7, 8},
         Bytes{1, 2, 3, 4, 5, 6, 7, 8}},
        {"a number of two bytes", registry::kRegDword, Bytes{1, 2}, Bytes{1, 2}},
        {"a number of no bytes", registry::kRegDword, Bytes{}, Bytes{}},
        {"bytes", registry::kRegBinary, Bytes{0, 0xff, 'a'}, Bytes{0, 0xff, 'a'}},
        {"no bytes", registry::kRegBinary, Bytes{}, Bytes{}},
        {"a big-endian number", registry::kRegDwordBigEndian, Bytes{0, 0, 0, 1}, Bytes{0, 0, 0, 1}},
        {"a 64-bit number", registry::kRegQword, Bytes{1, 0, 0, 0, 0, 0, 0, 0},
         Bytes{1, 0, 0, 0, 0, 0, 0, 0}},
        {"no type", registry::kRegNone, BytesOf("ab"), BytesOf("ab")},
        {"a type of its own", 0x12345678, BytesOf("ab"), BytesOf("ab")},
    };
    auto key = Create(kCurrentUser, "Software\\Values");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Set(key.get(), "value", row.type, row.stored);
        const auto probe = api().QueryValue(key.get(), "value", {});
        EXPECT_EQ(probe.status, registry::kSuccess);
        EXPECT_EQ(probe.type, row.type);
        EXPECT_EQ(probe.size, row.read.size());
        const auto read = ReadInto(key.get(), "value", row.read.size() + 4);
        EXPECT_EQ(read.result.status, registry::kSuccess);
        EXPECT_EQ(read.result.type, row.type);
        EXPECT_EQ(read.result.size, row.read.size());
        Bytes expected = row.read;
        expected.resize(row.read.size() + 4, 0xbd);  // nothing beyond the data is touched
        EXPECT_EQ(read.buffer, expected);
    }
}

TEST_P(RegistryContract, ABufferTooSmallGivesMoreDataAndIsLeftAlone) {
    struct Row {
        std::uint32_t type;
        Bytes stored;
        std::size_t capacity;
        std::uint32_t needed;
    };
    const Row rows[] = {
        {registry::kRegDword, Bytes{1, 2, 3, 4, 5, 6, 7, 8}, 4, 8},
        {registry::kRegSz, BytesOf(std::string_view("abc\0def\0", 8)), 3, 8},
        {registry::kRegSz, BytesOf("xyz"), 3, 4},  // the added NUL needs room too
        {registry::kRegBinary, Bytes{1, 2, 3, 4, 5}, 4, 5},
        {registry::kRegExpandSz, BytesOf(std::string_view("%PATH%\0", 7)), 1, 7},
    };
    auto key = Create(kCurrentUser, "Software\\Buffers");
    for (const auto& row : rows) {
        Set(key.get(), "v", row.type, row.stored);
        const auto read = ReadInto(key.get(), "v", row.capacity);
        EXPECT_EQ(read.result.status, registry::kMoreData) << row.type;
        EXPECT_EQ(read.result.type, row.type);
        EXPECT_EQ(read.result.size, row.needed);
        EXPECT_EQ(read.buffer, Bytes(row.capacity, 0xbd));
    }
}

TEST_P(RegistryContract, ValueNamesFoldCaseAndTheEmptyNameIsTheDefaultValue) {
    auto key = Create(kCurrentUser, "Software\\Names");
    Set(key.get(), "MixedCase", registry::kRegDword, {7, 0, 0, 0});
    for (const char* name : {"mixedcase", "MIXEDCASE", "MixedCase"}) {
        const auto probe = api().QueryValue(key.get(), name, {});
        EXPECT_EQ(probe.status, registry::kSuccess) << name;
        EXPECT_EQ(probe.type, registry::kRegDword) << name;
    }
    Set(key.get(), "MIXEDCASE", registry::kRegBinary, {1});  // the same value, overwritten
    EXPECT_EQ(api().QueryValue(key.get(), "MixedCase", {}).type, registry::kRegBinary);

    EXPECT_EQ(api().QueryValue(key.get(), "", {}).status, registry::kFileNotFound);
    Set(key.get(), "", registry::kRegSz, BytesOf(std::string_view("def\0", 4)));
    const auto read = ReadInto(key.get(), "", 4);
    EXPECT_EQ(read.result.status, registry::kSuccess);
    EXPECT_EQ(read.buffer, BytesOf(std::string_view("def\0", 4)));
    EXPECT_EQ(api().DeleteValue(key.get(), ""), registry::kSuccess);
    EXPECT_EQ(api().DeleteValue(key.get(), ""), registry::kFileNotFound);
}

TEST_P(RegistryContract, AMissingValueReportsNoTypeAndNoSize) {
    auto key = Create(kCurrentUser, "Software\\Empty");
    for (const std::size_t capacity : {0u, 4u}) {
        const auto read = ReadInto(key.get(), "absent", capacity);
        EXPECT_EQ(read.result.status, registry::kFileNotFound);
        EXPECT_EQ(read.result.type, 0u);
        EXPECT_EQ(read.result.size, 0u);
        EXPECT_EQ(read.buffer, Bytes(capacity, 0xbd));
    }
}

TEST_P(RegistryContract, DeletingValues) {
    auto key = Create(kCurrentUser, "Software\\Deletes");
    Set(key.get(), "Gone", registry::kRegDword, {1, 0, 0, 0});
    Set(key.get(), "Kept", registry::kRegDword, {2, 0, 0, 0});
    EXPECT_EQ(api().DeleteValue(key.get(), "GONE"), registry::kSuccess);
    EXPECT_EQ(api().QueryValue(key.get(), "Gone", {}).status, registry::kFileNotFound);
    EXPECT_EQ(api().QueryValue(key.get(), "Kept", {}).status, registry::kSuccess);
    EXPECT_EQ(api().DeleteValue(key.get(), "Gone"), registry::kFileNotFound);
    EXPECT_EQ(api().DeleteValue(key.get(), "NeverWas"), registry::kFileNotFound);
}

// Rights: each handle allows what it was opened for.

TEST_P(RegistryContract, AHandleAllowsOnlyTheRightsItWasOpenedWith) {
    struct Row {
        std::uint32_t access;
        Status query, set, remove;
    };
    const Row rows[] = {
        {registry::kQueryValue, registry::kSuccess, registry::kAccessDenied,
         registry::kAccessDenied},
        {0x2, registry::kAccessDenied, registry::kSuccess, registry::kSuccess},
        {0x0, registry::kAccessDenied, registry::kAccessDenied, registry::kAccessDenied},
        {registry::kWriteAccess, registry::kSuccess, registry::kSuccess, registry::kSuccess},
    };
    { auto key = Create(kCurrentUser, "Software\\Rights"); }
    for (const auto& row : rows) {
        SCOPED_TRACE(row.access);
        {
            auto writer = Open(kCurrentUser, "Software\\Rights", registry::kWriteAccess);
            Set(writer.get(), "v", registry::kRegDword, {1, 0, 0, 0});
        }
        auto key = Open(kCurrentUser, "Software\\Rights", row.access);
        const auto probe = api().QueryValue(key.get(), "v", {});
        EXPECT_EQ(probe.status, row.query);
        if (probe.status != registry::kSuccess) {
            EXPECT_EQ(probe.type, 0u);
            EXPECT_EQ(probe.size, 0u);
        }
        const Bytes one{1, 0, 0, 0};
        EXPECT_EQ(api().SetValue(key.get(), "v", registry::kRegDword, one), row.set);
        EXPECT_EQ(api().DeleteValue(key.get(), "v"), row.remove);
    }
}

// Deleting keys.

TEST_P(RegistryContract, DeletingKeys) {
    { auto key = Create(kCurrentUser, "Software\\Tree\\Leaf"); }
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "Software\\Tree"), registry::kAccessDenied);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Tree\\Leaf"), registry::kSuccess);
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "Software\\Missing"), registry::kFileNotFound);
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "Software\\Missing\\Deeper"), registry::kFileNotFound);
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "SOFTWARE\\TREE\\LEAF"), registry::kSuccess);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Tree\\Leaf"), registry::kFileNotFound);
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "Software\\Tree\\Leaf"), registry::kFileNotFound);
    EXPECT_EQ(api().DeleteKey(kCurrentUser, "Software\\Tree"), registry::kSuccess);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software"), registry::kSuccess);
}

// Every real root has sub keys; under test isolation a root is a scratch key that could go
// when empty, so the case gives each root one.
TEST_P(RegistryContract, ARootCannotBeDeleted) {
    for (const RawKey root : {kCurrentUser, kLocalMachine}) {
        { auto key = Create(root, "Software"); }
        EXPECT_EQ(api().DeleteKey(root, ""), registry::kAccessDenied) << root;
        EXPECT_EQ(OpenStatus(root, "Software"), registry::kSuccess);
    }
}

TEST_P(RegistryContract, AKeyDeletesItselfThroughItsOwnHandle) {
    auto key = Create(kCurrentUser, "Software\\Self");
    EXPECT_EQ(api().DeleteKey(key.get(), ""), registry::kSuccess);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\Self"), registry::kFileNotFound);
}

TEST_P(RegistryContract, HandlesOfADeletedKeyReportItDeleted) {
    const auto writer = api().CreateKey(kCurrentUser, "Software\\Doomed", registry::kWriteAccess);
    ASSERT_EQ(writer.status, registry::kSuccess);
    auto reader = Open(kCurrentUser, "Software\\Doomed", registry::kQueryValue);
    ASSERT_EQ(api().DeleteKey(kCurrentUser, "Software\\Doomed"), registry::kSuccess);
    // A new key of the same name is another key: the old handles do not reach it.
    auto successor = Create(kCurrentUser, "Software\\Doomed");
    const Bytes one{1, 0, 0, 0};
    EXPECT_EQ(api().SetValue(writer.key, "v", registry::kRegDword, one), registry::kKeyDeleted);
    EXPECT_EQ(api().QueryValue(reader.get(), "v", {}).status, registry::kKeyDeleted);
    EXPECT_EQ(api().DeleteValue(writer.key, "v"), registry::kKeyDeleted);
    EXPECT_EQ(api().CreateKey(writer.key, "Sub", registry::kWriteAccess).status,
              registry::kKeyDeleted);
    EXPECT_EQ(api().OpenKey(writer.key, "", registry::kQueryValue).status, registry::kKeyDeleted);
    EXPECT_EQ(api().DeleteKey(writer.key, ""), registry::kKeyDeleted);
    EXPECT_EQ(api().QueryValue(successor.get(), "v", {}).status, registry::kFileNotFound);
    EXPECT_EQ(api().CloseKey(writer.key), registry::kSuccess);  // closing still works
}

// Handles: closing and unknown values.

TEST_P(RegistryContract, ClosingAHandleEndsIt) {
    const auto created = api().CreateKey(kCurrentUser, "Software\\Closing", registry::kWriteAccess);
    ASSERT_EQ(created.status, registry::kSuccess);
    EXPECT_EQ(api().CloseKey(created.key), registry::kSuccess);
    EXPECT_EQ(api().CloseKey(created.key), registry::kInvalidHandle);
    const Bytes one{1, 0, 0, 0};
    EXPECT_EQ(api().SetValue(created.key, "v", registry::kRegDword, one), registry::kInvalidHandle);
    EXPECT_EQ(api().QueryValue(created.key, "v", {}).status, registry::kInvalidHandle);
    EXPECT_EQ(api().OpenKey(created.key, "", registry::kQueryValue).status,
              registry::kInvalidHandle);
}

TEST_P(RegistryContract, UnknownHandlesAreInvalid) {
    for (const RawKey bogus : {RawKey{0}, RawKey{0x4321}}) {
        EXPECT_EQ(api().CloseKey(bogus), registry::kInvalidHandle) << bogus;
        EXPECT_EQ(api().OpenKey(bogus, "x", registry::kQueryValue).status,
                  registry::kInvalidHandle);
        EXPECT_EQ(api().QueryValue(bogus, "x", {}).status, registry::kInvalidHandle);
        EXPECT_EQ(api().DeleteValue(bogus, "x"), registry::kInvalidHandle);
    }
}

// Text at the boundary: what the program's text becomes on the way in and back.

TEST_P(RegistryContract, TextSurvivesTheCodePageBoundary) {
    const std::string texts[] = {"", "C:\\Program Files\\Korvane", std::string("a\0b", 3),
                                 "caf\xc3\xa9 \xc3\x9c"};
    for (const auto& text : texts) {
        EXPECT_EQ(api().FromAnsi(api().ToAnsi(text)), text);
    }
    EXPECT_EQ(api().ToAnsi("plain ASCII"), "plain ASCII");
}

}  // namespace registry_test
