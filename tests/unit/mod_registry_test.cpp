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
using registry::MemoryRegistry;
using registry::RegistryOp;
using registry::StoredValue;
using registry::Variant;

constexpr const char* kKey = "Software\\Microsoft\\Internet Explorer\\Main";

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// A store whose reads can be made to fail from a given call on, as a registry can between the
// probe and the read.
class FlakyRegistry : public MemoryRegistry {
public:
    registry::QueryResult QueryValue(registry::RawKey key, std::string_view name,
                                     std::span<std::uint8_t> data) override {
        const auto result = MemoryRegistry::QueryValue(key, name, data);
        if (++queries_ >= failFromQuery) {
            return {registry::kAccessDenied, 0, 0};
        }
        return result;
    }
    int failFromQuery = 1 << 30;

private:
    int queries_ = 0;
};

class ModRegistry : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(store.openHandles(), 0u) << "a handle leaked"; }

    std::vector<RegistryOp> Ops() const {
        std::vector<RegistryOp> ops;
        for (const auto& entry : store.journal()) {
            ops.push_back(entry.op);
        }
        return ops;
    }
    std::vector<std::uint32_t> OpenRights() const {
        std::vector<std::uint32_t> rights;
        for (const auto& entry : store.journal()) {
            if (entry.op == RegistryOp::OpenKey || entry.op == RegistryOp::CreateKey) {
                rights.push_back(entry.access);
            }
        }
        return rights;
    }

    FlakyRegistry store;
    toolkit::ScriptedServices services;
    registry::modRegistry reg{store, services};
};

// Reading.

TEST_F(ModRegistry, ReadsEachStoredFormAsItsVariant) {
    struct Row {
        const char* what;
        std::uint32_t type;
        Bytes data;
        Variant expected;
    };
    const Row rows[] = {
        {"text", registry::kRegSz, BytesOf(std::string_view("yes\0", 4)), Variant("yes")},
        {"text up to its first NUL", registry::kRegSz, BytesOf(std::string_view("abc\0def\0", 8)),
         Variant("abc")},
        {"text stored without a NUL", registry::kRegSz, BytesOf("xyz"), Variant("xyz")},
        {"text of size 0 is empty text, not Empty", registry::kRegSz, Bytes{}, Variant("")},
        {"a lone NUL", registry::kRegSz, Bytes{0}, Variant("")},
        {"a number", registry::kRegDword, Bytes{4, 0, 0, 0}, Variant(std::int32_t{4})},
        {"a negative number", registry::kRegDword, Bytes{0xff, 0xff, 0xff, 0xff},
         Variant(std::int32_t{-1})},
        {"the largest bit pattern", registry::kRegDword, Bytes{0, 0, 0, 0x80},
         Variant(std::int32_t{INT32_MIN})},
        {"a number longer than 4 bytes is Empty", registry::kRegDword,
         Bytes{1, 0, 0, 0, 0, 0, 0, 0}, Variant()},
        {"a number shorter than 4 bytes reads what is there", registry::kRegDword, Bytes{1, 2},
         Variant(std::int32_t{0x0201})},
        {"a number of no bytes", registry::kRegDword, Bytes{}, Variant(std::int32_t{0})},
        {"bytes", registry::kRegBinary, Bytes{0, 0xff, 7}, Variant(Bytes{0, 0xff, 7})},
        {"no bytes", registry::kRegBinary, Bytes{}, Variant(Bytes{})},
        {"expandable text is Empty", registry::kRegExpandSz, BytesOf(std::string_view("%P%\0", 4)),
         Variant()},
        {"a list of texts is Empty", registry::kRegMultiSz,
         BytesOf(std::string_view("a\0b\0\0", 5)), Variant()},
        {"a 64-bit number is Empty", registry::kRegQword, Bytes(8, 1), Variant()},
        {"no type is Empty", registry::kRegNone, Bytes{1}, Variant()},
    };
    for (const auto& row : rows) {
        store.Put(kCurrentUser, kKey, "Value", row.type, row.data);
        EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), row.expected)
            << row.what << ": got "
            << Describe(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"));
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistry, ANumberReadsAsItsTextAndItsNumber) {
    store.PutDword(kCurrentUser, kKey, "Value", 4);
    const auto value = reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value");
    EXPECT_EQ(registry::ToText(value), "4");
    EXPECT_EQ(registry::ToInt16(value), 4);
    store.PutText(kCurrentUser, kKey, "Text", "4");
    EXPECT_EQ(registry::ToInt16(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Text")), 4);
}

TEST_F(ModRegistry, AMissingKeyOrValueReadsEmptyAndCreatesNothing) {
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software"));
    store.PutKey(kCurrentUser, kKey);
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    EXPECT_TRUE(store.Changes().empty());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistry, AReadOpensToQueryOnlyAndFindsKeysWhateverTheirCase) {
    store.PutText(kLocalMachine, "SOFTWARE\\Microsoft\\Internet Explorer", "Version", "6.0");
    EXPECT_EQ(
        reg.RegistryGetKeyValue(kLocalMachine, "Software\\Microsoft\\Internet Explorer", "version"),
        Variant("6.0"));
    EXPECT_EQ(OpenRights(), std::vector<std::uint32_t>{registry::kQueryValue});
    EXPECT_EQ(Ops(), (std::vector<RegistryOp>{RegistryOp::OpenKey, RegistryOp::QueryValue,
                                              RegistryOp::QueryValue, RegistryOp::CloseKey}));
}

// The number is read with a 4-byte buffer whatever the probe says, so longer data is refused by
// the registry rather than written past the integer.
TEST_F(ModRegistry, ANumberIsReadIntoExactlyFourBytes) {
    store.Put(kCurrentUser, kKey, "Value", registry::kRegDword, Bytes(8, 0xbd));
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant());
    const auto& read = store.journal()[2];
    ASSERT_EQ(read.op, RegistryOp::QueryValue);
    EXPECT_EQ(read.capacity, 4u);
    EXPECT_EQ(read.status, registry::kMoreData);
}

TEST_F(ModRegistry, TheProbeAsksForNoDataAndTheReadForExactlyTheProbedSize) {
    store.PutText(kCurrentUser, kKey, "Text", "hello");
    store.Put(kCurrentUser, kKey, "Bytes", registry::kRegBinary, Bytes(3, 1));
    reg.RegistryGetKeyValue(kCurrentUser, kKey, "Text");
    reg.RegistryGetKeyValue(kCurrentUser, kKey, "Bytes");
    std::vector<std::size_t> capacities;
    for (const auto& entry : store.journal()) {
        if (entry.op == RegistryOp::QueryValue) {
            capacities.push_back(entry.capacity);
        }
    }
    EXPECT_EQ(capacities, (std::vector<std::size_t>{0, 6, 0, 3}));
}

TEST_F(ModRegistry, AFailingSecondReadGivesEmpty) {
    const struct {
        std::uint32_t type;
        Bytes data;
    } rows[] = {
        {registry::kRegSz, BytesOf(std::string_view("abc\0", 4))},
        {registry::kRegDword, Bytes{1, 0, 0, 0}},
        {registry::kRegBinary, Bytes{1, 2}},
    };
    for (const auto& row : rows) {
        FlakyRegistry flaky;
        flaky.failFromQuery = 2;
        registry::modRegistry flakyReg(flaky, services);
        flaky.Put(kCurrentUser, kKey, "Value", row.type, row.data);
        EXPECT_EQ(flakyReg.RegistryGetKeyValue(kCurrentUser, kKey, "Value"), Variant()) << row.type;
        EXPECT_EQ(flaky.openHandles(), 0u);
    }
    EXPECT_TRUE(services.messages.empty());
}

// Writing.

TEST_F(ModRegistry, WritesEachValueInTheFormOfItsTypeCode) {
    struct Row {
        const char* what;
        Variant value;
        std::uint32_t type;
        std::optional<StoredValue> stored;
    };
    const Row rows[] = {
        {"text with a NUL", Variant("no"), registry::kRegSz,
         StoredValue{registry::kRegSz, BytesOf(std::string_view("no\0", 3))}},
        {"yes in four bytes", Variant("yes"), registry::kRegSz,
         StoredValue{registry::kRegSz, BytesOf(std::string_view("yes\0", 4))}},
        {"Empty as empty text", Variant(), registry::kRegSz,
         StoredValue{registry::kRegSz, Bytes{0}}},
        {"a number as its digits", Variant(std::int32_t{-12}), registry::kRegSz,
         StoredValue{registry::kRegSz, BytesOf(std::string_view("-12\0", 4))}},
        {"numeric text as a number", Variant("1"), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{1, 0, 0, 0}}},
        {"a 16-bit 0", Variant(std::int16_t{0}), registry::kRegDword,
         StoredValue{registry::kRegDword, Bytes{0, 0, 0, 0}}},
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
        {"no bytes", Variant(Bytes{}), registry::kRegBinary,
         StoredValue{registry::kRegBinary, Bytes{}}},
        {"another type code stores nothing", Variant("x"), registry::kRegExpandSz, std::nullopt},
        {"type code 0 stores nothing", Variant("x"), 0, std::nullopt},
    };
    for (const auto& row : rows) {
        MemoryRegistry fresh;
        registry::modRegistry freshReg(fresh, services);
        freshReg.RegistrySetKeyValue(kCurrentUser, kKey, "Value", row.value, row.type);
        EXPECT_EQ(fresh.Get(kCurrentUser, kKey, "Value"), row.stored) << row.what;
        EXPECT_TRUE(fresh.HasKey(kCurrentUser, kKey)) << row.what;  // created in every case
        EXPECT_EQ(fresh.openHandles(), 0u) << row.what;
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistry, AWriteCreatesEveryMissingLevelWithFullRights) {
    reg.RegistrySetKeyValue(kCurrentUser, "Software\\A\\B\\C", "V", Variant("1"),
                            registry::kRegDword);
    EXPECT_TRUE(store.HasKey(kCurrentUser, "Software\\A\\B"));
    EXPECT_EQ(store.GetDword(kCurrentUser, "Software\\A\\B\\C", "V"), 1u);
    EXPECT_EQ(OpenRights(), std::vector<std::uint32_t>{registry::kWriteAccess});
    EXPECT_EQ(Ops(), (std::vector<RegistryOp>{RegistryOp::CreateKey, RegistryOp::SetValue,
                                              RegistryOp::CloseKey}));
}

TEST_F(ModRegistry, ValuesThatDoNotConvertAreReportedOnceAndStoreNothing) {
    struct Row {
        Variant value;
        std::uint32_t type;
        std::string prompt;
    };
    const Row rows[] = {
        {Variant("abc"), registry::kRegDword, "Error: 13. Type mismatch"},
        {Variant(""), registry::kRegDword, "Error: 13. Type mismatch"},
        {Variant(Bytes{1, 0, 0, 0}), registry::kRegDword, "Error: 13. Type mismatch"},
        {Variant("2147483648"), registry::kRegDword, "Error: 6. Overflow"},
        {Variant("text"), registry::kRegBinary, "Error: 13. Type mismatch"},
        {Variant(std::int32_t{1}), registry::kRegBinary, "Error: 13. Type mismatch"},
    };
    for (const auto& row : rows) {
        MemoryRegistry fresh;
        toolkit::ScriptedServices shown;
        registry::modRegistry freshReg(fresh, shown);
        freshReg.RegistrySetKeyValue(kCurrentUser, kKey, "Value", row.value, row.type);
        ASSERT_EQ(shown.messages.size(), 1u) << Describe(row.value);
        EXPECT_EQ(shown.messages[0].prompt, row.prompt);
        EXPECT_EQ(shown.messages[0].buttons, toolkit::kOkOnly);
        EXPECT_EQ(shown.messages[0].title, "RegistrySetKeyValue");
        EXPECT_FALSE(fresh.Get(kCurrentUser, kKey, "Value"));
        EXPECT_TRUE(fresh.HasKey(kCurrentUser, kKey));  // the key was made before the failure
        EXPECT_EQ(fresh.openHandles(), 0u);
        for (const auto& entry : fresh.journal()) {
            EXPECT_NE(entry.op, RegistryOp::SetValue);
        }
    }
}

TEST_F(ModRegistry, ARefusingRootStoresNothingShowsNothingAndTriesNoWrite) {
    store.SetWritesRefused(kLocalMachine, true);
    reg.RegistrySetKeyValue(kLocalMachine, "Software\\Policies\\Microsoft\\Internet Explorer", "V",
                            Variant(std::int32_t{1}), registry::kRegDword);
    reg.RegistrySetKeyValue(kLocalMachine, "Software", "V", Variant("x"), registry::kRegSz);
    EXPECT_FALSE(store.HasKey(kLocalMachine, "Software"));
    EXPECT_TRUE(store.Changes().empty());
    EXPECT_EQ(Ops(), (std::vector<RegistryOp>{RegistryOp::CreateKey, RegistryOp::CreateKey}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistry, ARefusingRootStillReads) {
    store.PutText(kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version", "9.11");
    store.SetWritesRefused(kLocalMachine, true);
    EXPECT_EQ(
        reg.RegistryGetKeyValue(kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version"),
        Variant("9.11"));
}

// Deleting.

TEST_F(ModRegistry, DeletingAValueOpensWithFullRightsAndLeavesTheRest) {
    store.PutText(kCurrentUser, kKey, "Gone", "x");
    store.PutText(kCurrentUser, kKey, "Kept", "y");
    reg.RegistryDeleteValue(kCurrentUser, kKey, "GONE");
    EXPECT_FALSE(store.Get(kCurrentUser, kKey, "Gone"));
    EXPECT_EQ(store.GetText(kCurrentUser, kKey, "Kept"), "y");
    EXPECT_EQ(OpenRights(), std::vector<std::uint32_t>{registry::kWriteAccess});
    EXPECT_EQ(Ops(), (std::vector<RegistryOp>{RegistryOp::OpenKey, RegistryOp::DeleteValue,
                                              RegistryOp::CloseKey}));
}

TEST_F(ModRegistry, DeletingAKeyNeedsNoOpenAndTheRegistryDecidesAboutSubKeys) {
    store.PutKey(kCurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
    store.PutKey(kCurrentUser, "Software\\Parent\\Child");
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Parent");
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs"));
    EXPECT_TRUE(store.HasKey(kCurrentUser, "Software\\Parent\\Child"));  // refused, silently
    EXPECT_EQ(Ops(), (std::vector<RegistryOp>{RegistryOp::DeleteKey, RegistryOp::DeleteKey}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistry, DeletingWhatIsNotThereDoesNothingAndShowsNothing) {
    reg.RegistryDeleteValue(kCurrentUser, kKey, "Value");  // no key
    EXPECT_FALSE(store.HasKey(kCurrentUser, "Software"));  // and none made
    store.PutKey(kCurrentUser, kKey);
    reg.RegistryDeleteValue(kCurrentUser, kKey, "Value");  // no value
    reg.RegistryDeleteKey(kCurrentUser, "Software\\Missing");
    reg.RegistryDeleteKey(kLocalMachine, "Software\\Missing\\Deeper");
    store.SetWritesRefused(kLocalMachine, true);
    store.PutText(kLocalMachine, kKey, "Value", "x");
    reg.RegistryDeleteValue(kLocalMachine, kKey, "Value");  // refused
    reg.RegistryDeleteKey(kLocalMachine, kKey);             // refused
    EXPECT_EQ(store.GetText(kLocalMachine, kKey, "Value"), "x");
    EXPECT_TRUE(store.Changes().empty());
    EXPECT_TRUE(services.messages.empty());
}

}  // namespace
