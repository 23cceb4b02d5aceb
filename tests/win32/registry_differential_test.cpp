// One script of registry calls run on the in-memory store and on the real registry: every
// step must give the same status, type, size and data on both.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "registry/memory_registry.h"
#include "registry/variant.h"
#include "registry/win32/advapi_registry.h"
#include "tests/win32/registry_override.h"

namespace registry_test {
namespace {

using registry::Bytes;
using registry::RawKey;

enum class Op { Open, Create, Query, Set, DeleteValue, DeleteKey, Close };

// Where a step's key comes from: a root, a handle kept by an earlier step, or a bogus value.
constexpr int kHkcu = -1;
constexpr int kHklm = -2;
constexpr int kBogus = -3;
constexpr int kNull = -4;

struct Step {
    Op op = Op::Close;
    int key = kHkcu;  // the handle slot (or root) the call uses
    std::string arg;  // sub key path or value name
    std::uint32_t access = 0x3F;
    int into = -1;  // Open/Create: the slot that keeps the new handle
    std::uint32_t type = 0;
    std::string_view data;     // Set: what is written
    std::size_t capacity = 0;  // Query: the buffer's size; 0 probes
};

Step Open(int parent, std::string path, std::uint32_t access, int into) {
    return {Op::Open, parent, std::move(path), access, into, 0, {}, 0};
}
Step Create(int parent, std::string path, int into) {
    return {Op::Create, parent, std::move(path), 0x3F, into, 0, {}, 0};
}
Step Query(int key, std::string name, std::size_t capacity = 0) {
    return {Op::Query, key, std::move(name), 0, -1, 0, {}, capacity};
}
Step Set(int key, std::string name, std::uint32_t type, std::string_view data) {
    return {Op::Set, key, std::move(name), 0, -1, type, data, 0};
}
Step DeleteValue(int key, std::string name) {
    return {Op::DeleteValue, key, std::move(name), 0x3F, -1, 0, {}, 0};
}
Step DeleteKey(int parent, std::string path) {
    return {Op::DeleteKey, parent, std::move(path), 0x3F, -1, 0, {}, 0};
}
Step Close(int key) {
    return {Op::Close, key, "", 0x3F, -1, 0, {}, 0};
}

using namespace std::string_view_literals;
using registry::kRegBinary;
using registry::kRegDword;
using registry::kRegSz;

// Slots: 0 the product key, 1 a reader, 2 a sub key, 3 a doomed key, 4 spare, 5 a machine key.
const std::vector<Step>& Script() {
    static const std::vector<Step> script = {
        Open(kHkcu, "Software\\Vendor\\Product", 0x1, 4),  // missing
        Create(kHkcu, "Software\\Vendor\\Product", 0),
        Open(kHkcu, "SOFTWARE\\VENDOR\\PRODUCT", 0x1, 1),
        Query(0, "Missing", 8),
        Set(0, "Text", kRegSz, "yes\0"sv),
        Set(0, "Inner", kRegSz, "abc\0def\0"sv),
        Set(0, "Bare", kRegSz, "xyz"sv),
        Set(0, "Expand", registry::kRegExpandSz, "%P%\0"sv),
        Set(0, "Number", kRegDword, "\4\0\0\0"sv),
        Set(0, "LongNumber", kRegDword, "\1\2\3\4\5\6\7\10"sv),
        Set(0, "Binary", kRegBinary, "\0\xff\x80"sv),
        Set(0, "Odd", 0x1234, "o"sv),
        Query(1, "text", 16),
        Query(1, "TEXT", 3),
        Query(1, "Inner", 8),
        Query(1, "Bare"),
        Query(1, "Bare", 3),
        Query(1, "Expand", 16),
        Query(1, "Number", 4),
        Query(1, "LongNumber", 4),
        Query(1, "Binary", 3),
        Query(1, "Odd", 2),
        Set(0, "List", registry::kRegMultiSz, "a\0b\0\0"sv),
        Query(1, "List", 8),
        Set(0, "Empty", kRegSz, ""sv),
        Query(1, "Empty", 4),
        Set(0, "Short", kRegDword, "\1\2"sv),
        Query(1, "Short", 4),
        Set(0, "", kRegSz, "def\0"sv),  // the key's default value
        Query(1, "", 4),
        DeleteValue(0, ""),
        Query(1, ""),
        Open(0, "", 0x1, 4),  // a new handle to the same key
        Query(4, "Text", 4),
        Close(4),
        Open(kHkcu, "Software\\\\Vendor\\\\Product\\\\", 0x2, 4),  // may set, not query
        Query(4, "Text", 4),
        Set(4, "Written", kRegDword, "\1\0\0\0"sv),
        DeleteValue(4, "Written"),
        Close(4),
        Open(kHkcu, "Software\\Vendor\\Product", 0x0, 4),
        Query(4, "Text"),
        Close(4),
        Open(kHkcu, "\\", 0x1, 4),
        Create(kHkcu, "\\Software\\New", 4),
        Set(1, "ThroughReader", kRegDword, "\1\0\0\0"sv),  // no right to write
        Set(0, "number", kRegSz, "4\0"sv),                 // same value, new type
        Query(1, "Number", 8),
        DeleteValue(0, "NUMBER"),
        DeleteValue(0, "Number"),
        Create(0, "Sub\\Deeper", 2),
        Open(kHkcu, "software\\vendor\\product\\sub\\deeper\\", 0x1, 4),
        Close(4),
        Open(kHkcu, "\\Software\\Vendor", 0x1, 4),
        DeleteKey(kHkcu, "Software\\Vendor\\Product\\Sub"),  // has a sub key
        DeleteKey(kHkcu, "Software\\Vendor\\Missing\\Deeper"),
        DeleteKey(kHkcu, "SOFTWARE\\Vendor\\Product\\Sub\\DEEPER"),
        Query(2, "Leaf", 4),  // its handle now names a deleted key
        Set(2, "Leaf", kRegDword, "\t\0\0\0"sv),
        DeleteValue(2, "Leaf"),
        Create(2, "Sub", 4),
        DeleteKey(2, ""),
        Close(2),
        Close(2),                                            // closed already
        DeleteKey(kHkcu, "Software\\Vendor\\Product\\Sub"),  // now without sub keys
        Open(kHkcu, "Software\\Vendor\\Product\\Sub", 0x1, 4),
        Create(kHkcu, "Software\\Vendor\\Doomed", 3),
        DeleteKey(3, ""),                              // deletes itself
        Create(kHkcu, "Software\\Vendor\\Doomed", 4),  // another key of the same name
        Query(3, "x"),
        Query(4, "x"),
        Close(3),
        DeleteKey(4, ""),
        Close(4),
        DeleteKey(kHkcu, ""),
        Open(kHkcu, "", 0x1, 4),  // the root itself
        Set(kHkcu, "AtTheRoot", kRegBinary, "\7"sv),
        Query(kHkcu, "AtTheRoot", 1),
        DeleteValue(kHkcu, "AtTheRoot"),
        Create(kHklm, "Software\\Vendor\\Product", 5),  // the other root is another tree
        Set(5, "Machine", kRegSz, "m\0"sv),
        Query(0, "Machine"),
        Close(5),
        Query(kBogus, "x"),
        Close(kBogus),
        Set(kNull, "x", kRegDword, "\1\0\0\0"sv),
        DeleteValue(kNull, "x"),
        Close(kNull),
        Close(1),
        DeleteKey(kHkcu, "Software\\Vendor\\Product"),  // still open through slot 0
        Query(0, "Binary", 3),
        Close(0),
        DeleteKey(kHkcu, "Software\\Vendor"),
        DeleteKey(kHkcu, "Software"),
        Open(kHkcu, "Software", 0x1, 4),
    };
    return script;
}

// What one step gave.
struct Result {
    registry::Status status = 0;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    Bytes data;
    bool isRoot = false;  // Open/Create: the handle is the root itself

    friend bool operator==(const Result&, const Result&) = default;
};

void PrintTo(const Result& result, std::ostream* out) {
    *out << "status " << result.status << ", type " << result.type << ", size " << result.size
         << ", " << registry::Describe(result.data) << (result.isRoot ? ", the root" : "");
}

// Runs the script on one backend; handles are kept per slot so both backends use their own.
std::vector<Result> RunScript(registry::RegistryApi& api) {
    std::array<RawKey, 6> slots{};
    const auto keyOf = [&](int slot) -> RawKey {
        switch (slot) {
            case kHkcu:
                return registry::kCurrentUser;
            case kHklm:
                return registry::kLocalMachine;
            case kBogus:
                return 0x4321;
            case kNull:
                return 0;
            default:
                return slots.at(static_cast<std::size_t>(slot));
        }
    };
    std::vector<Result> results;
    for (const auto& step : Script()) {
        Result result;
        const RawKey key = keyOf(step.key);
        switch (step.op) {
            case Op::Open:
            case Op::Create: {
                const auto opened = step.op == Op::Open ? api.OpenKey(key, step.arg, step.access)
                                                        : api.CreateKey(key, step.arg, step.access);
                result.status = opened.status;
                result.isRoot = opened.status == 0 && (opened.key == registry::kCurrentUser ||
                                                       opened.key == registry::kLocalMachine);
                if (opened.status == 0) {
                    slots.at(static_cast<std::size_t>(step.into)) = opened.key;
                }
                break;
            }
            case Op::Query: {
                Bytes buffer(step.capacity, 0xbd);
                const auto read = api.QueryValue(key, step.arg, buffer);
                result.status = read.status;
                result.type = read.type;
                result.size = read.size;
                result.data = buffer;
                break;
            }
            case Op::Set:
                result.status = api.SetValue(key, step.arg, step.type,
                                             Bytes(step.data.begin(), step.data.end()));
                break;
            case Op::DeleteValue:
                result.status = api.DeleteValue(key, step.arg);
                break;
            case Op::DeleteKey:
                result.status = api.DeleteKey(key, step.arg);
                break;
            case Op::Close:
                result.status = api.CloseKey(key);
                break;
        }
        results.push_back(result);
    }
    return results;
}

TEST(RegistryDifferential, TheStoreAnswersEveryStepAsTheRealRegistryDoes) {
    ASSERT_GE(Script().size(), 40u);
    registry::MemoryRegistry store;
    const auto expected = [&] {
        RegistryOverride isolated;
        registry::AdvapiRegistry real;
        return RunScript(real);
    }();
    const auto got = RunScript(store);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        const auto& step = Script()[i];
        EXPECT_EQ(got[i], expected[i])
            << "step " << i << " (" << static_cast<int>(step.op) << " " << step.arg << ")";
    }
    EXPECT_EQ(store.openHandles(), 0u);
}

}  // namespace
}  // namespace registry_test
