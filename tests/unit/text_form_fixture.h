// A headless main window on an in-memory registry, a scripted platform and a scripted shell,
// with helpers to reach the text settings' boxes and stored values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_korvane.h"
#include "registry/memory_registry.h"
#include "settings/text_settings.h"
#include "shell/scripted_shell.h"
#include "toolkit/scripted_services.h"

namespace text_test {

using settings::TextValue;

class TextForm : public ::testing::Test {
protected:
    TextForm() {
        registry_.PutText(registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer",
                          "Version", "6.0.2800.1106");
    }

    // Start-up as the platform runs it; the window must open.
    void Load() {
        form_.Form_Load();
        ASSERT_FALSE(form_.unloadRequested());
    }

    void Unload() {
        std::int16_t cancel = 0;
        form_.Form_Unload(cancel);
        EXPECT_EQ(cancel, 0);
    }

    toolkit::TextBox& Box(const TextValue& value) {
        return form_.controls().textBox(value.control);
    }

    void Seed(const TextValue& value, std::uint32_t type, registry::Bytes data) {
        registry_.Put(value.root, value.keyPath, value.valueName, type, std::move(data));
    }
    void SeedText(const TextValue& value, const std::string& text) {
        registry_.PutText(value.root, value.keyPath, value.valueName, text);
    }

    // The stored value: `REG_SZ "text"`, `REG_DWORD 4`, another type's number, or "missing".
    std::string Stored(const TextValue& value) const {
        const auto stored = registry_.Get(value.root, value.keyPath, value.valueName);
        if (!stored) {
            return "missing";
        }
        if (const auto text = registry_.GetText(value.root, value.keyPath, value.valueName)) {
            return "REG_SZ \"" + *text + "\"";
        }
        if (const auto number = registry_.GetDword(value.root, value.keyPath, value.valueName)) {
            return "REG_DWORD " + std::to_string(*number);
        }
        return "type " + std::to_string(stored->type);
    }

    // How many changes `value` saw since the journal was last cleared.
    std::size_t ChangesTo(const TextValue& value) const {
        const std::string path = registry::RootName(value.root) + "\\" + std::string(value.keyPath);
        std::size_t changes = 0;
        for (const auto& entry : registry_.Changes()) {
            changes += entry.path == path && entry.name == value.valueName;
        }
        return changes;
    }

    // Box text and tooltip, which every change handler keeps equal.
    void ExpectShown(const TextValue& value, const std::string& text) {
        EXPECT_EQ(Box(value).text(), text) << value.control;
        EXPECT_EQ(Box(value).tooltip(), text) << value.control;
    }

    registry::MemoryRegistry registry_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{registry_, services_, shell_};
};

}  // namespace text_test
