// The request parser on arbitrary bytes: it never throws, a request it accepts has every
// member its command needs, and the reply to any id it gives back is one line of JSON.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "control/Replies.h"
#include "control/Request.h"

namespace {

using quendrix::control::Command;
using quendrix::control::Replies;
using quendrix::control::Request;
using quendrix::control::RequestError;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void requireOneLine(const std::string& line) {
    require(!line.empty() && line.back() == '\n');
    require(line.find('\n') == line.size() - 1);
}

void checkRequest(const Request& request) {
    require(request.id.is_null() || request.id.is_number() || request.id.is_string());
    const bool needsPath = request.command == Command::Load || request.command == Command::Save;
    require(!needsPath || !request.path.empty());
    require(request.address >= 0 && request.address <= 9);
    require(request.command != Command::Send || !request.text.empty());
    require(!request.timeout || request.timeout->count() >= 0);
    requireOneLine(Replies::ok(request.id, {{"path", request.path}}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const auto parsed = quendrix::control::parseRequest(data);
    if (const auto* request = std::get_if<Request>(&parsed)) {
        checkRequest(*request);
    } else {
        const auto& error = std::get<RequestError>(parsed);
        require(!error.message.empty());
        requireOneLine(Replies::error(error.id, error.message));
    }
    return 0;
}
