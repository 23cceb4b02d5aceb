// What every RegistryApi backend must do, written once: the in-memory store runs these cases
// natively and the advapi32 backend runs them under Wine against the real registry. Include
// this header in exactly one test file of a binary and instantiate RegistryContract there
// with a factory for the backend. Each case expects both roots to start empty. The rest of
// the edge cases are in the differential script, which holds the store to the real registry.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <source_location>
#include <string>
#include <string_view>

#include "registry/key_handle.h"
#include "registry/registry_api.h"
#include "registry/variant.h"

namespace registry_test {

using registry::Bytes;
using registry::kAccessDenied;
using registry::kCurrentUser;
using registry::kFileNotFound;
using registry::kInvalidHandle;
using registry::kKeyDeleted;
using registry::kLocalMachine;
using registry::kSuccess;
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

    // Opens (`create` false) or creates `path`; a failure fails the calling line.
    registry::KeyHandle Key(RawKey root, std::string_view path,
                            std::uint32_t access = registry::kWriteAccess, bool create = true,
                            std::source_location where = std::source_location::current()) {
        auto [key, status] = create ? registry::KeyHandle::Create(api(), root, path, access)
                                    : registry::KeyHandle::Open(api(), root, path, access);
        if (status != kSuccess) {
            ADD_FAILURE_AT(where.file_name(), where.line()) << path << " gave " << status;
        }
        return std::move(key);
    }

    Status OpenStatus(RawKey root, std::string_view path,
                      std::uint32_t access = registry::kQueryValue) {
        return registry::KeyHandle::Open(api(), root, path, access).second;
    }

    void Set(RawKey key, std::string_view name, std::uint32_t type, const Bytes& data,
             std::source_location where = std::source_location::current()) {
        if (const Status status = api().SetValue(key, name, type, data); status != kSuccess) {
            ADD_FAILURE_AT(where.file_name(), where.line()) << name << " gave " << status;
        }
    }

    // A read into `capacity` bytes poisoned with 0xbd; the whole buffer comes back so callers
    // can see what was (not) touched.
    struct Read {
        registry::QueryResult result;
        Bytes buffer;
    };
    Read ReadInto(RawKey key, std::string_view name, std::size_t capacity) {
        Read read{{}, Bytes(capacity, 0xbd)};
        read.result = api().QueryValue(key, name, read.buffer);
        return read;
    }

    const Bytes one{1, 0, 0, 0};

private:
    std::unique_ptr<RegistryBackend> backend_;
};

TEST_P(RegistryContract, KeysAreMadeLevelByLevelAndFoundWhateverTheirCase) {
    EXPECT_EQ(api().OpenKey(kCurrentUser, "Software", registry::kQueryValue).key, 0u);
    { auto key = Key(kCurrentUser, "Software\\Vendor\\Product"); }
    const struct {
        const char* path;
        Status status;
    } rows[] = {
        {"Software", kSuccess},
        {"SOFTWARE\\vendor\\PRODUCT", kSuccess},
        {"software\\Vendor\\Product\\", kSuccess},
        {"Software\\\\Vendor\\\\Product\\\\", kSuccess},
        {"Software\\Vendor\\Produc", kFileNotFound},
        {"Software\\Vendor\\Product\\Deeper", kFileNotFound},
        {"\\Software", registry::kBadPathname},
        {"\\", registry::kBadPathname},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(OpenStatus(kCurrentUser, row.path), row.status) << row.path;
    }
    EXPECT_EQ(api().CreateKey(kCurrentUser, "\\Software\\New", registry::kWriteAccess).status,
              registry::kBadPathname);
    EXPECT_EQ(OpenStatus(kCurrentUser, "Software\\New"), kFileNotFound);
    EXPECT_EQ(OpenStatus(kLocalMachine, "Software\\Vendor"), kFileNotFound);
}

TEST_P(RegistryContract, ValuesComeBackWithTheirTypeAndSize) {
    using namespace std::string_view_literals;
    const struct {
        const char* what;
        std::uint32_t type;
        std::string_view stored;
        bool gainsNul;  // a read adds the NUL that the stored text lacks
    } rows[] = {
        {"text with its NUL", registry::kRegSz, "yes\0"sv, false},
        {"text with an inner NUL", registry::kRegSz, "abc\0def\0"sv, false},
        {"text without a NUL", registry::kRegSz, "xyz"sv, true},
        {"empty text", registry::kRegSz, ""sv, false},
        {"expandable text without a NUL", registry::kRegExpandSz, "%P%"sv, true},
        {"a list of texts", registry::kRegMultiSz, "a\0b\0\0"sv, false},
        {"a number", registry::kRegDword, "\4\0\0\0"sv, false},
        {"a number of eight bytes", registry::kRegDword, "\1\2\3\4\5\6\7\10"sv, false},
        {"a number of two bytes", registry::kRegDword, "\1\2"sv, false},
        {"bytes", registry::kRegBinary, "\0\xff"sv, false},
        {"a type of its own", 0x12345678, "ab"sv, false},
    };
    auto key = Key(kCurrentUser, "Software\\Values");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Set(key.get(), "value", row.type, BytesOf(row.stored));
        Bytes read = BytesOf(row.stored);
        if (row.gainsNul) {
            read.push_back(0);
        }
        const auto probe = api().QueryValue(key.get(), "value", {});
        EXPECT_EQ(probe.status, kSuccess);
        EXPECT_EQ(probe.type, row.type);
        EXPECT_EQ(probe.size, read.size());
        const auto got = ReadInto(key.get(), "value", read.size() + 4);
        EXPECT_EQ(got.result.status, kSuccess);
        EXPECT_EQ(got.result.type, row.type);
        EXPECT_EQ(got.result.size, read.size());
        read.resize(read.size() + 4, 0xbd);  // nothing beyond the data is touched
        EXPECT_EQ(got.buffer, read);
    }
}

TEST_P(RegistryContract, AHandleAllowsOnlyTheRightsItWasOpenedWith) {
    const struct {
        std::uint32_t access;
        Status query, set, remove;
    } rows[] = {
        {registry::kQueryValue, kSuccess, kAccessDenied, kAccessDenied},
        {0x2, kAccessDenied, kSuccess, kSuccess},
        {0x0, kAccessDenied, kAccessDenied, kAccessDenied},
        {registry::kWriteAccess, kSuccess, kSuccess, kSuccess},
    };
    auto writer = Key(kCurrentUser, "Software\\Rights");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.access);
        Set(writer.get(), "v", registry::kRegDword, one);
        auto key = Key(kCurrentUser, "Software\\Rights", row.access, false);
        const auto probe = api().QueryValue(key.get(), "v", {});
        EXPECT_EQ(probe.status, row.query);
        EXPECT_EQ(probe.size, row.query == kSuccess ? 4u : 0u);
        EXPECT_EQ(api().SetValue(key.get(), "v", registry::kRegDword, one), row.set);
        EXPECT_EQ(api().DeleteValue(key.get(), "v"), row.remove);
    }
}

TEST_P(RegistryContract, HandlesOfADeletedKeyReportItDeleted) {
    const auto writer = api().CreateKey(kCurrentUser, "Software\\Doomed", registry::kWriteAccess);
    ASSERT_EQ(writer.status, kSuccess);
    auto reader = Key(kCurrentUser, "Software\\Doomed", registry::kQueryValue, false);
    ASSERT_EQ(api().DeleteKey(kCurrentUser, "Software\\Doomed"), kSuccess);
    // A new key of the same name is another key: the old handles do not reach it.
    auto successor = Key(kCurrentUser, "Software\\Doomed");
    EXPECT_EQ(api().SetValue(writer.key, "v", registry::kRegDword, one), kKeyDeleted);
    EXPECT_EQ(api().QueryValue(reader.get(), "v", {}).status, kKeyDeleted);
    EXPECT_EQ(api().DeleteValue(writer.key, "v"), kKeyDeleted);
    EXPECT_EQ(api().CreateKey(writer.key, "Sub", registry::kWriteAccess).status, kKeyDeleted);
    EXPECT_EQ(api().DeleteKey(writer.key, ""), kKeyDeleted);
    EXPECT_EQ(api().QueryValue(successor.get(), "v", {}).status, kFileNotFound);
    EXPECT_EQ(api().CloseKey(writer.key), kSuccess);  // closing still works
}

}  // namespace registry_test
