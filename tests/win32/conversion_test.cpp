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

// The platform's answer for `text` (every character, embedded NULs included) through `parse`,
// one of VarI2FromStr and VarI4FromStr.
template <typename Number, typename Parse>
Outcome Platform(std::string_view text, Parse parse) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    BSTR bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    Number value = 0;
    const HRESULT result = parse(bstr, kEnglishUs, 0, &value);
    SysFreeString(bstr);
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
        const auto platform16 = Platform<SHORT>(text, VarI2FromStr);
        const auto platform32 = Platform<LONG>(text, VarI4FromStr);
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
