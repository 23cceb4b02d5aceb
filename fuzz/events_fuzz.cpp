// From a random registry state, a start-up and then random user events: clicks on any box or
// button, key presses, pastes and edits in any text box, mouse releases, folder and file
// picks or cancels. Every invariant is checked after each event and after closing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/headless_window.h"
#include "fuzz/invariants.h"
#include "fuzz/registry_state.h"
#include "registry/memory_registry.h"
#include "toolkit/controls.h"

namespace {

template <typename T>
std::vector<T*> ControlsOf(const toolkit::ControlSet& controls) {
    std::vector<T*> found;
    for (const auto& control : controls.all()) {
        if (auto* typed = dynamic_cast<T*>(control.get())) {
            found.push_back(typed);
        }
    }
    return found;
}

template <typename T>
T& PickOne(fuzz::InputReader& input, const std::vector<T*>& from) {
    return *from[input.Pick(from.size())];
}

// Scripts what the folder picker or the file dialog answers when the button opens it.
void ScriptAnswer(fuzz::InputReader& input, bench::HeadlessWindow& window,
                  const std::string& button) {
    const std::uint8_t choice = input.Byte();
    if (button == "cmdDir") {
        if (choice % 4 == 0) {
            window.shell.answers.push_back(std::nullopt);  // cancelled
        } else if (choice % 4 == 1) {
            window.shell.answers.push_back(shell::ScriptedItem{input.ShortText(), false});
        } else {
            window.shell.answers.push_back(shell::ChosenFolder(input.ShortText()));
        }
    } else if (button == "cmdBackground") {
        if (choice % 3 == 0) {
            window.services.fileDialogAnswers.push_back(std::nullopt);
        } else {
            window.services.fileDialogAnswers.push_back(input.ShortText());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    registry::MemoryRegistry store;
    fuzz::SeedRegistry(input, store, {4096});

    bench::HeadlessWindow window(store);
    fuzz::JournalWatcher watcher;
    window.form.Form_Load();
    fuzz::CheckAll(window, store, watcher);
    if (window.form.unloadRequested()) {
        return 0;
    }

    const auto& controls = window.form.controls();
    const auto boxes = ControlsOf<toolkit::CheckBox>(controls);
    const auto texts = ControlsOf<toolkit::TextBox>(controls);
    const auto buttons = ControlsOf<toolkit::PushButton>(controls);
    const auto lists = ControlsOf<toolkit::ListBox>(controls);
    for (int event = 0; event < 64 && !input.empty(); ++event) {
        switch (input.Pick(7)) {
            case 0:
            case 1:
                PickOne(input, boxes).UserClick();
                break;
            case 2: {
                auto& box = PickOne(input, texts);
                const std::uint8_t low = input.Byte();
                const std::uint8_t high = input.Byte() % 8 == 0 ? input.Byte() : 0;
                box.UserType(static_cast<std::int16_t>(low | high << 8));
                break;
            }
            case 3:
                PickOne(input, texts).UserPaste(input.ShortText());
                break;
            case 4:
                PickOne(input, texts).UserEdit(input.ShortText());
                break;
            case 5: {
                auto& button = PickOne(input, buttons);
                ScriptAnswer(input, window, button.name());
                button.UserClick();
                break;
            }
            default:
                if (input.Byte() % 2 == 0 && !lists.empty()) {
                    PickOne(input, lists).UserClick();
                } else {
                    toolkit::MouseEvent mouse;
                    mouse.button = 1 << input.Pick(3);
                    PickOne(input, boxes).UserMouseUp(mouse);
                }
                break;
        }
        fuzz::CheckAll(window, store, watcher);
    }

    std::int16_t cancel = 0;
    window.form.Form_Unload(cancel);
    fuzz::CheckAll(window, store, watcher);
    return 0;
}
