#include "runner/CommandTokens.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/NumberText.h"
#include "device/Counter.h"

namespace quendrix::runner {
namespace {

// What follows a token is kept up to this length.
constexpr std::size_t kKeptAfterToken = 200;

// A drawn position: floor(scale * r + offset), so offset to offset + scale - 1.
struct RandomToken {
    std::string_view token;
    char letter;
    double scale;
    double offset;
};

constexpr std::array<RandomToken, 6> kRandomTokens{{
    {"vrnd", 'v', 850.0, 50.0},
    {"Vrnd", 'V', 5795.0, 5.0},
    {"crnd", 'c', 1950.0, 50.0},
    {"Lrnd", 'L', 20.0, 1.0},
    {"Krnd", 'K', 63.0, 1.0},
    {"Crnd", 'C', 25.0, 1.0},
}};

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
    insert(text, "A+", 'A', Position_, [this] { device::Counter(Position_).raise(); });
    insert(text, "A-", 'A', Position_, [this] { device::Counter(Position_).lower(); });
    replaceAll(text, "A00", 'A', Position_, [this] { store(Position_, 0.0); });
    insert(text, "S+", 'S', Speed_, [this] { device::Counter(Speed_).raise(); });
    insert(text, "S-", 'S', Speed_, [this] { device::Counter(Speed_).lower(); });
    replaceAll(text, "S00", 'S', Speed_, [this] { store(Speed_, 1.0); });
    insert(text, "Arnd", 'A', Position_,
           [this] { drawPosition(readWholeNumber(MaxPosition_()), 1.0); });
    for (const auto& random : kRandomTokens) {
        insert(text, random.token, random.letter, Position_,
               [this, &random] { drawPosition(random.scale, random.offset); });
    }
    return text;
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
