#include "runner/CommandTokens.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/NumberText.h"
#include "form/Counter.h"

namespace quendrix::runner {
namespace {

// What follows a token is kept up to this length.
constexpr std::size_t kKeptAfterToken = 200;

// Writes the value into the box. A value that has no plain decimal form (which finite reads
// and draws never give) leaves the box as it was.
void store(platform::TextBox& box, double value) {
    if (std::isfinite(value)) {
        box.setText(formatNumber(value));
    }
}

// At the token's first occurrence: stores its value, then puts the letter and the box's text in
// place of the token and keeps at most 200 characters of what follows it.
template <typename StoreValue>
void insert(std::string& text, std::string_view token, char letter, const platform::TextBox& box,
            StoreValue storeValue) {
    const auto at = text.find(token);
    if (at == std::string::npos) {
        return;
    }
    storeValue();
    std::string rebuilt = text.substr(0, at);
    rebuilt += letter;
    rebuilt += box.text();
    rebuilt.append(text, at + token.size(), kKeptAfterToken);
    text = std::move(rebuilt);
}

// Anywhere in the text, the token stores its value and the whole text becomes the letter, the
// box's text and "R".
template <typename StoreValue>
void replaceAll(std::string& text, std::string_view token, char letter,
                const platform::TextBox& box, StoreValue storeValue) {
    if (text.find(token) == std::string::npos) {
        return;
    }
    storeValue();
    text = letter + box.text() + "R";
}

}  // namespace

CommandTokens::CommandTokens(platform::TextBox& Position, platform::TextBox& Speed,
                             std::function<std::string()> MaxPosition,
                             platform::RandomSource& random)
    : Position_(Position), Speed_(Speed), MaxPosition_(std::move(MaxPosition)), random_(random) {}

std::string CommandTokens::ExpandCommandTokens(const std::string& command) {
    std::string text = command;
    for (const CommandToken& token : kCommandTokens) {
        platform::TextBox& box = token.box == CommandToken::Box::Speed ? Speed_ : Position_;
        const auto storeValue = [this, &token, &box] { act(token, box); };
        if (token.action == CommandToken::Action::Reset) {
            replaceAll(text, token.text, token.letter, box, storeValue);
        } else {
            insert(text, token.text, token.letter, box, storeValue);
        }
    }
    return text;
}

void CommandTokens::act(const CommandToken& token, platform::TextBox& box) {
    switch (token.action) {
        case CommandToken::Action::Raise:
            form::Counter(box).raise();
            break;
        case CommandToken::Action::Lower:
            form::Counter(box).lower();
            break;
        case CommandToken::Action::Reset:
            store(box, token.value);
            break;
        case CommandToken::Action::DrawUpToMaxPosition:
            drawPosition(readWholeNumber(MaxPosition_()), 1.0);
            break;
        case CommandToken::Action::Draw:
            drawPosition(token.values, token.value);
            break;
    }
}

// The product is taken in double from the single-precision r: exact for any scale of up to 29
// significant bits, so a whole scale m gives 1 to m and never m + 1. The value stays a double
// and is never converted to an integer type, so a huge or negative MaxPosition is harmless.
void CommandTokens::drawPosition(std::optional<double> scale, double offset) {
    // Drawn even when there is no scale, so that the next random token gets the next value.
    const double r = random_.Rnd();
    if (scale) {
        store(Position_, std::floor(*scale * r + offset));
    }
}

}  // namespace quendrix::runner
