#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quendrix::platform {

// Keeps an observer registered for as long as it lives. It may outlive the notifier.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (cancel_) {
            std::exchange(cancel_, {})();
        }
    }

private:
    std::function<void()> cancel_;
};

// Tells observers that something changed, or that something happened: a view mirrors a
// control through it, and the program's handlers hear a control's events through it.
// Observers are told in the order they subscribed.
template <typename... Args>
class ChangeNotifier {
public:
    using Observer = std::function<void(Args...)>;

    ChangeNotifier() : observers_(std::make_shared<List>()) {}
    ChangeNotifier(const ChangeNotifier&) = delete;
    ChangeNotifier& operator=(const ChangeNotifier&) = delete;

    [[nodiscard]] Subscription subscribe(Observer observer) const {
        const int id = observers_->nextId++;
        observers_->entries.push_back({id, std::move(observer)});
        std::weak_ptr<List> weak = observers_;
        return Subscription([weak, id] {
            if (auto list = weak.lock()) {
                std::erase_if(list->entries, [id](const Entry& e) { return e.id == id; });
            }
        });
    }

    bool hasObservers() const { return !observers_->entries.empty(); }

    void notify(Args... args) const {
        // A copy, because an observer may subscribe or unsubscribe while being told.
        const auto entries = observers_->entries;
        for (const auto& entry : entries) {
            entry.observer(args...);
        }
    }

private:
    struct Entry {
        int id;
        Observer observer;
    };
    struct List {
        std::vector<Entry> entries;
        int nextId = 0;
    };
    std::shared_ptr<List> observers_;
};

// An event of a control or timer: any number of handlers, each kept for as long as its
// Subscription lives, told in the order they subscribed.
template <typename... Args>
using Event = ChangeNotifier<Args...>;

}  // namespace quendrix::platform
