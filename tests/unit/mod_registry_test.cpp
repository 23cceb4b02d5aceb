// modRegistry's four operations over the in-memory store: what each reads or writes, which
// rights it asks for, that registry failures stay silent, that conversion errors are reported
// once with the operation's name, and that no handle outlives a call.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "registry/memory_registry.h"
#include "registry/mod_registry.h"
#include "toolkit/scripted_services.h"

namespace {

using registry::Bytes;
using registry::kCurrentUser;
using registry::kLocalMachine;
using registry::RegistryOp;
using registry::StoredValue;
using registry::Variant;

constexpr const char* kKey = "Software\\Microsoft\\Internet Explorer\\Main";

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// A store whose every second read fails once made flaky, as a registry can between the probe
// and the read.
class FlakyRegistry : public registry::MemoryRegistry {
public:
    registry::QueryResult QueryValue(registry::RawKey key, std::string_view name,
                                     std::span<std::uint8_t> data) override {
        const auto result = MemoryRegistry::QueryValue(key, name, data);
        return flaky && ++queries_ % 2 == 0 ? registry::QueryResult{registry::kAccessDenied, 0, 0}
                                            : result;
    }
    bool flaky = false;

private:
    int queries_ = 0;
};

class ModRegistry : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(store.openHandles(), 0u) << "a handle leaked"; }

    // Each call as "op access/capacity", in order.
    std::vector<std::string> Calls() const {
        static const char* const names[] = {"open",   "create", "query", "set",
                                            "delete", "remove", "close"};
        std::vector<std::string> calls;
        for (const auto& entry : store.journal()) {
            std::string call = names[static_cast<int>(entry.op)];
            if (entry.op == RegistryOp::OpenKey || entry.op == RegistryOp::CreateKey) {
                call += " " + std::to_string(entry.access);
            } else if (entry.op == RegistryOp::QueryValue) {
                call += " " + std::to_string(entry.capacity);
            }
            calls.push_back(call);
        }
        return calls;
    }
    void ExpectSilent() { EXPECT_TRUE(services.messages.empty()); }

    FlakyRegistry store;
    toolkit::ScriptedServices services;
    registry::modRegistry reg{store, services};
};

TEST_F(ModRegistry, ReadsEachStoredFormAsItsVariant) {
    const struct {
        const char* what;
        std::uint32_t type;
        Bytes data;
        Variant expected;
    } rows[] = {
        {"text up to its first NUL", registry::kRegSz, BytesOf(std::string_view("abc\0def\0", 8)),
         Variant("abc")},
        {"text stored without a NUL", registry::kRegSz, BytesOf("xyz"), Variant("xyz")},
        {"text of size 0 is empty text, not Empty", registry::kRegSz, Bytes{}, Variant("")},
        {"a negative number", registry::kRegDword, Bytes{0xfe, 0xff, 0xff, 0xff},
         Variant(std::int32_t{-2})},
        {"the top bit", registry::kRegDword, Bytes{0, 0, 0, 0x80},
         Variant(std::int32_t{INT32_MIN})},
        {"a number longer than 4 bytes is Empty", registry::kRegDword, Bytes(8, 1), Variant()},
        {"a number shorter than 4 bytes reads what is there", registry::kRegDword, Bytes{1, 2},
         Variant(std::int32_t{0x0201})},
        {"bytes", registry::kRegBinary, Bytes{0, 0xff, 7}, Variant(Bytes{0, 0xff, 7})},
        {"no bytes", registry::kRegBinary, Bytes{}, Variant(Bytes{})},
        {"expandable text is Empty", registry::kRegExpandSz, BytesOf(std::string_view("%P%\0", 4)),
         Variant()},
        {"a 64-bit number is Empty", registry::kRegQword, Bytes(8, 1), Variant()},
    };
    for (const auto& row : rows) {
        store.Put(kCurrentUser, kKey, "Value", row.type, row.data);
        const auto got = reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value");
        EXPECT_EQ(got, row.expected) << row.what << ": got " << Describe(got);
    }
    ExpectSilent();
}

TEST_F(ModRegistry, AReadOpensToQueryProbesThenReadsExactlyTheProbedSize) {
    store.PutText(kLocalMachine, "SOFTWARE\\Microsoft\\Internet Explorer", "Version", "6.0");
    store.SetWritesRefused(kLocalMachine, true);
    EXPECT_EQ(
        reg.RegistryGetKeyValue(kLocalMachine, "Software\\Microsoft\\Internet Explorer", "version"),
        Variant("6.0"));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open 1", "query 0", "query 4", "close"}));
}

// The number is read with a 4-byte buffer whatever the probe says, so longer data is refused by
// the registry rather than written past the integer.
TEST_F(ModRegistry, ANumberIsReadIntoExactlyFourBytes) {
    store.Put(kCurrentUser, kKey, "Value", registry::kRegDword, Bytes(8, 0xbd));
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open 1", "query 0", "query 4", "close"}));
    EXPECT_EQ(store.journal()[2].status, registry::kMoreData);
}

TEST_F(ModRegistry, AMissingKeyValueOrFailingReadGivesEmptyAndCreatesNothing) {
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    store.PutKey(kCurrentUser, kKey);
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    EXPECT_TRUE(store.Changes().empty());
    store.flaky = true;
    for (const auto type : {registry::kRegSz, registry::kRegDword, registry::kRegBinary}) {
        store.Put(kCurrentUser, kKey, "Value", type, Bytes{1, 0, 0, 0});
        EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant()) << type;
    }
    ExpectSilent();
}

TEST_F(ModRegistry, WritesEachValueInTheFormOfItsTypeCode) {
    const struct {
        const char* what;
        Variant value;
        std::uint32_t type;
        std::optional<StoredValue> stored;
    } rows[] = {
        {"yes in four bytes", Variant("yes"), registry::kRegSz,
         StoredValue{registry::kRegSz, BytesOf(std::string_view("yes\0", 4))}},
        {"Empty as empty text", Variant(), registry::kRegSz,
         StoredValue{registry::kRegSz, Bytes{0}}},
        {"a number as its digits", Variant(std::int32_t{-12}), registry::kRegSz,
         StoredValue{registry::kRegSz, BytesOf(std::string_view("-12\0", 4))}},
        {"least significant byte first", Variant(std::int32_t{0x01020304}), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{4, 3, 2, 1}}},
        {"a negative number", Variant(std::int32_t{-2}), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{0xfe, 0xff, 0xff, 0xff}}},
        {"a fraction rounded half to even", Variant("2.5"), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{2, 0, 0, 0}}},
        {"Empty as 0", Variant(), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{0, 0, 0, 0}}},
        {"bytes", Variant(Bytes{9, 8}), registry::kRegBinary,
         StoredValue{registry::kRegBinary, Bytes{9, 8}}},
        {"another type code stores nothing", Variant("x"), registry::kRegExpandSz, std::nullopt},
    };
    for (const auto& row : rows) {
        registry::MemoryRegistry fresh;
        registry::modRegistry freshReg(fresh, services);
        freshReg.RegistrySetKeyValue(kCurrentUser, kKey, "Value", row.value, row.type);
        EXPECT_EQ(fresh.Get(kCurrentUser, kKey, "Value"), row.stored) << row.what;
        EXPECT_TRUE(fresh.HasKey(kCurrentUser, kKey)) << row.what;  // created in every case
        EXPECT_EQ(fresh.openHandles(), 0u) << row.what;
    }
    ExpectSilent();
}

TEST_F(ModRegistry, AWriteCreatesEveryMissingLevelWithFullRights) {
    reg.RegistrySetKeyValue(kCurrentUser, "Software\\A\\B\\C", "V", Variant("1"),
                            registry::kRegDword);
    EXPECT_EQ(store.GetDword(kCurrentUser, "Software\\A\\B\\C", "V"), 1u);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"create 63", "set", "close"}));
}

TEST_F(ModRegistry, ValuesThatDoNotConvertAreReportedOnceAndStoreNothing) {
    const struct {
        Variant value;
        std::uint32_t type;
        std::string prompt;
    } rows[] = {
        {Variant(""), registry::kRegDword, "Error: 13. Type mismatch"},
        {Variant(Bytes{1, 0, 0, 0}), registry::kRegDword, "Error: 13. Type mismatch"},
        {Variant("2147483648"), registry::kRegDword, "Error: 6. Overflow"},
        {Variant(std::int32_t{1}), registry::kRegBinary, "Error: 13. Type mismatch"},
    };
    for (const auto& row : rows) {
        registry::MemoryRegistry fresh;
        toolkit::ScriptedServices shown;
        registry::modRegistry freshReg(fresh, shown);
        freshReg.RegistrySetKeyValue(kCurrentUser, kKey, "Value", row.value, row.type);
        ASSERT_EQ(shown.messages.size(), 1u) << Describe(row.value);
        EXPECT_EQ(shown.messages[0].prompt, row.prompt);
        EXPECT_EQ(shown.messages[0].buttons, toolkit::kOkOnly);
        EXPECT_EQ(shown.messages[0].title, "RegistrySetKeyValue");
        EXPECT_FALSE(fresh.Get(kCurrentUser, kKey, "Value"));
        EXPECT_EQ(fresh.openHandles(), 0u);
    }
}

TEST_F(ModRegistry, ARefusingRootStoresNothingShowsNothingAndTriesNoWrite) {
    store.SetWritesRefused(kLocalMachine, true);
    reg.RegistrySetKeyValue(kLocalMachine, "Software", "V", Variant("x"), registry::kRegSz);
    EXPECT_FALSE(store.HasKey(kLocalMachine, "Software"));
    EXPECT_EQ(Calls(), std::vector<std::string>{"create 63"});
    ExpectSilent();
}

TEST_F(ModRegistry, DeletingAValueOpensWithFullRightsAndLeavesTheRest) {
    store.PutText(kCurrentUser, kKey, "Gone", "x");
    store.PutText(kCurrentUser, kKey, "Kept", "y");
    reg.RegistryDeleteValue(kCurrentUser, kKey, "GONE");
    EXPECT_FALSE(store.Get(kCurrentUser, kKey, "Gone"));
    EXPECT_EQ(store.GetText(kCurrentUser, kKey, "Kept"), "y");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open 63", "delete", "close"}));
}

TEST_F(ModRegistry, DeletingAKeyNeedsNoOpenAndTheRegistryDecidesAboutSubKeys) {
    store.PutKey(kCurrentUser, "Software\\Leaf");
    store.PutKey(kCurrentUser, "Software\\Parent\\Child");
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Leaf");
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Parent");
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software\\Leaf"));
    EXPECT_TRUE(store.HasKey(kCurrentUser, "Software\\Parent\\Child"));  // refused, silently
    EXPECT_EQ(Calls(), (std::vector<std::string>{"remove", "remove"}));
    ExpectSilent();
}

TEST_F(ModRegistry, DeletingWhatIsNotThereOrIsRefusedDoesNothingAndShowsNothing) {
    reg.RegistryDeleteValue(kCurrentUser, kKey, "Value");  // no key
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software"));  // and none made
    store.PutKey(kCurrentUser, kKey);
    reg.RegistryDeleteValue(kCurrentUser, kKey, "Value");  // no value
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Missing");
    store.SetWritesRefused(kLocalMachine, true);
    store.PutText(kLocalMachine, kKey, "Value", "x");
    reg.RegistryDeleteValue(kLocalMachine, kKey, "Value");
    reg.RegistryDeleteKey(kLocalMachine, kKey);
    EXPECT_EQ(store.GetText(kLocalMachine, kKey, "Value"), "x");
    EXPECT_TRUE(store.Changes().empty());
    ExpectSilent();
}

}  // namespace
