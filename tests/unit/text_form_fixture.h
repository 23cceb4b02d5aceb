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

    void SeedText(const TextValue& value, const std::string& text) {
        registry_.PutText(value.root, value.keyPath, value.valueName, text);
    }
    void SeedDword(const TextValue& value, std::uint32_t number) {
        registry_.PutDword(value.root, value.keyPath, value.valueName, number);
    }
    void Seed(const TextValue& value, std::uint32_t type, registry::Bytes data) {
        registry_.Put(value.root, value.keyPath, value.valueName, type, std::move(data));
    }

    std::optional<registry::StoredValue> Stored(const TextValue& value) const {
        return registry_.Get(value.root, value.keyPath, value.valueName);
    }
    std::optional<std::string> StoredText(const TextValue& value) const {
        return registry_.GetText(value.root, value.keyPath, value.valueName);
    }
    std::optional<std::uint32_t> StoredDword(const TextValue& value) const {
        return registry_.GetDword(value.root, value.keyPath, value.valueName);
    }

    // The changes made to `value` since the journal was last cleared.
    std::vector<registry::JournalEntry> ChangesTo(const TextValue& value) const {
        const std::string path = registry::RootName(value.root) + "\\" + std::string(value.keyPath);
        std::vector<registry::JournalEntry> found;
        for (const auto& entry : registry_.Changes()) {
            if (entry.path == path && entry.name == value.valueName) {
                found.push_back(entry);
            }
        }
        return found;
    }

    registry::MemoryRegistry registry_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{registry_, services_, shell_};
};

}  // namespace text_test
