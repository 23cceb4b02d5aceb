#include "app/command_line.h"

#include <algorithm>

#include "app/layout.h"
#include "toolkit/text.h"

namespace app {

namespace {

constexpr std::u16string_view kUser = u"/user:", kCheck = u"/check:", kExport = u"/export:",
                              kImport = u"/import:", kQuiet = u"/quiet";

// Takes "<prefix><text>" into an empty `into`.
bool TakeFile(std::u16string_view argument, std::u16string_view prefix, std::u16string& into) {
    if (!argument.starts_with(prefix) || argument.size() == prefix.size() || !into.empty()) {
        return false;
    }
    into = argument.substr(prefix.size());
    return true;
}

// A tab index of up to three digits, as this program writes it: no sign, no leading zero.
std::optional<int> Index(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 3 || (digits[0] == u'0' && digits.size() > 1) ||
        !std::ranges::all_of(digits, [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    int number = 0;
    for (const char16_t c : digits) {
        number = number * 10 + (c - u'0');
    }
    return number;
}

std::optional<std::pair<int, int>> Check(std::u16string_view text) {
    const auto equals = text.find(u'=');
    const std::u16string_view state = equals == text.npos ? u"" : text.substr(equals + 1);
    const auto index = Index(text.substr(0, equals));
    if (!index || (state != u"0" && state != u"1")) {
        return std::nullopt;
    }
    const bool isCheckBox = std::ranges::any_of(kLayout, [&](const LayoutRow& row) {
        return row.tabIndex == *index && row.kind == toolkit::Kind::CheckBox;
    });
    return isCheckBox ? std::optional(std::pair(*index, state == u"1" ? 1 : 0)) : std::nullopt;
}

// Quoted as CommandLineToArgvW reads it back: backslashes double only before a quote.
std::u16string Quoted(const std::u16string& argument) {
    if (!argument.empty() && argument.find_first_of(u" \t\"") == std::u16string::npos) {
        return argument;
    }
    std::u16string quoted = u"\"";
    std::size_t backslashes = 0;  // held back until what follows them is known
    for (const char16_t c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        backslashes = 0;
        quoted += c;
    }
    // Before the closing quote every backslash doubles.
    return quoted.append(backslashes * 2, u'\\') + u'"';
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments) {
    CommandLine command;
    for (const std::u16string& argument : arguments) {
        const std::u16string_view view = argument;
        if (TakeFile(view, kUser, command.user) || TakeFile(view, kExport, command.exportFile) ||
            TakeFile(view, kImport, command.importFile)) {
            continue;
        }
        if (view == kQuiet && !command.quiet) {
            command.quiet = true;
            continue;
        }
        if (view.starts_with(kCheck) && !command.check) {
            command.check = Check(view.substr(kCheck.size()));
            if (command.check) {
                continue;
            }
        }
        command.problem = u"Korvane does not understand its argument \"" + argument + u"\".";
        return command;
    }
    const int modes = (command.check ? 1 : 0) + (command.exportFile.empty() ? 0 : 1) +
                      (command.importFile.empty() ? 0 : 1);
    if (modes > 1 || (command.quiet && command.exportFile.empty() && command.importFile.empty())) {
        command.problem =
            u"Korvane takes only one of /check:, /export: and /import:, and /quiet "
            u"only beside /export: or /import:.";
    }
    return command;
}

std::u16string FormatCommandLine(const CommandLine& command) {
    std::vector<std::u16string> arguments;
    if (!command.user.empty()) {
        arguments.push_back(std::u16string(kUser) + command.user);
    }
    if (command.check) {
        arguments.push_back(std::u16string(kCheck) + toolkit::Decimal(command.check->first) + u"=" +
                            toolkit::Decimal(command.check->second));
    }
    if (!command.importFile.empty()) {
        arguments.push_back(std::u16string(kImport) + command.importFile);
    }
    std::u16string line;
    for (const std::u16string& argument : arguments) {
        line += (line.empty() ? u"" : u" ") + Quoted(argument);
    }
    return line;
}

}  // namespace app
