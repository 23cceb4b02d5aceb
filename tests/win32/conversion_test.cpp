// The conversions against the platform's own numeric parsing (oleaut32, en-US): the same
// answers for every row of the table, except the rows that say why they differ.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>

#include "registry/variant.h"
#include "tests/registry_conversion_cases.h"
#include "toolkit/error.h"

namespace registry_test {
namespace {

constexpr LCID kEnglishUs = 0x409;

// A BSTR holding `utf8` with every character, embedded NULs included.
class Bstr {
public:
    explicit Bstr(std::string_view utf8) {
        std::wstring wide;
        if (!utf8.empty()) {
            const int length = static_cast<int>(utf8.size());
            wide.resize(static_cast<std::size_t>(
                MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)));
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(),
                                static_cast<int>(wide.size()));
        }
        value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }

private:
    BSTR value_ = nullptr;
};

Outcome FromHresult(HRESULT result, std::int64_t value) {
    switch (result) {
        case S_OK:
            return Is(value);
        case DISP_E_TYPEMISMATCH:
            return kMismatch;
        case DISP_E_OVERFLOW:
            return kOverflow;
        default:
            return {static_cast<std::int32_t>(result), 0};
    }
}

Outcome PlatformInt16(std::string_view text) {
    Bstr bstr(text);
    SHORT value = 0;
    const HRESULT result = VarI2FromStr(bstr.get(), kEnglishUs, 0, &value);
    return FromHresult(result, value);
}

Outcome PlatformInt32(std::string_view text) {
    Bstr bstr(text);
    LONG value = 0;
    const HRESULT result = VarI4FromStr(bstr.get(), kEnglishUs, 0, &value);
    return FromHresult(result, value);
}

template <typename Fn>
Outcome Ours(Fn&& convert) {
    try {
        return Is(convert());
    } catch (const toolkit::Error& error) {
        return {error.number(), 0};
    }
}

TEST(ConversionsAgainstOleaut32, AgreeExceptWhereTheTableSaysWhy) {
    static_assert(std::size(kConversionCases) >= 100);
    for (const auto& row : kConversionCases) {
        const std::string text(row.text);
        SCOPED_TRACE(registry::Describe(registry::Variant(text)));
        const auto platform16 = PlatformInt16(text);
        const auto platform32 = PlatformInt32(text);
        const auto ours16 = Ours([&] { return registry::ToInt16(registry::Variant(text)); });
        const auto ours32 = Ours([&] { return registry::ToInt32(registry::Variant(text)); });
        // This build reads the table as the native one does.
        EXPECT_EQ(ours16, row.int16) << "ours as int16";
        EXPECT_EQ(ours32, row.int32) << "ours as int32";
        if (row.differs == nullptr) {
            EXPECT_EQ(platform16, row.int16) << "oleaut32 as int16";
            EXPECT_EQ(platform32, row.int32) << "oleaut32 as int32";
        } else {
            // A listed difference must still be one, or the list goes stale.
            EXPECT_TRUE(platform16 != row.int16 || platform32 != row.int32)
                << "no longer differs: " << row.differs;
        }
    }
}

}  // namespace
}  // namespace registry_test
